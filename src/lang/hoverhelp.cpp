#include "lang/hoverhelp.h"

#include "lang/frmayudaflotante.h"
#include "lang/helptopics.h"
#include "lang/helpwrap.h"
#include "lang/windowplacement.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

HoverHelp::HoverHelp(QObject* parent) : QObject(parent) {}

HoverHelp::~HoverHelp() = default;

void HoverHelp::MostrarAyudaTema(const QString& topic) {
    const QString text = ExtraerTema(topic);
    // The help stays on top of everything: it would cover an open option list or menu.
    if (text.isEmpty() || QApplication::activePopupWidget()) {
        OcultarAyudaTema();
        return;
    }
    if (!window_)
        window_ = std::make_unique<frmAyudaFlotante>();
    const frmAyudaFlotante* w = window_.get();
    const QString wrapped = AjustarTextoAyuda(text, kAnchoAyudaFlotante,
                                              [w](const QString& s) { return w->AnchoTexto(s); });
    const int lines = static_cast<int>(wrapped.count(QLatin1Char('\n'))) + 1;

    const QPoint cursor = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(cursor);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const double dpiX = screen->logicalDotsPerInchX();
    const double dpiY = screen->logicalDotsPerInchY();
    const QRect area = screen->availableGeometry();
    const QRect areaDiseno(PixelesADiseno(area.left(), dpiX), PixelesADiseno(area.top(), dpiY),
                           PixelesADiseno(area.width(), dpiX), PixelesADiseno(area.height(), dpiY));
    const QPoint cursorDiseno(PixelesADiseno(cursor.x(), dpiX), PixelesADiseno(cursor.y(), dpiY));

    const QRect place = PosicionAyuda(cursorDiseno, areaDiseno, w->AltoTexto(), lines);
    window_->MostrarTexto(wrapped, place.left(), place.top(), place.width(), place.height());
    visible_ = true;
    qApp->installEventFilter(this); // to see a popup open while the help shows
}

void HoverHelp::OcultarAyudaTema() {
    if (!visible_)
        return;
    if (window_)
        window_->Ocultar();
    visible_ = false;
    qApp->removeEventFilter(this);
}

void HoverHelp::MostrarAlPasar(QWidget* label, const QString& topic) {
    if (!label)
        return;
    topics_.insert(label, topic);
    watch(label);
}

void HoverHelp::OcultarAlPasar(QWidget* widget) {
    if (!widget)
        return;
    hiders_.insert(widget);
    watch(widget);
}

void HoverHelp::watch(QWidget* widget) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    connect(widget, &QObject::destroyed, this, [this](QObject* gone) {
        topics_.remove(gone);
        hiders_.remove(gone);
    });
}

bool HoverHelp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->windowType() == Qt::Popup) {
        OcultarAyudaTema();
    } else if (event->type() == QEvent::MouseMove) {
        const auto topic = topics_.constFind(watched);
        if (topic != topics_.constEnd()) {
            MostrarAyudaTema(*topic);
            return true; // a move over a help label must not reach the hiding parent
        }
        if (hiders_.contains(watched))
            OcultarAyudaTema();
    }
    return QObject::eventFilter(watched, event);
}

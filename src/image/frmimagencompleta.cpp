#include "image/frmimagencompleta.h"

#include "image/imagepreview.h"
#include "image/tickcount.h"
#include "lang/texto.h"
#include "lang/windowplacement.h"
#include "shell/dialogs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

// Kept free below the window (the task bar), in layout pixels.
constexpr int kReservaAlto = 53;

QPointer<frmImagenCompleta>& Visor() {
    static QPointer<frmImagenCompleta> visor;
    return visor;
}

// Sets a flag for the life of a scope, so a layout that stops part-way still clears it.
class Bandera {
public:
    explicit Bandera(bool& bandera) : bandera_(bandera) { bandera_ = true; }
    ~Bandera() { bandera_ = false; }
    Bandera(const Bandera&) = delete;
    Bandera& operator=(const Bandera&) = delete;

private:
    bool& bandera_;
};

} // namespace

frmImagenCompleta::frmImagenCompleta(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmImagenCompleta"));
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette fondo = palette();
    fondo.setColor(QPalette::Window, Qt::black);
    setPalette(fondo);
    setAutoFillBackground(true);

    picGrande = new QWidget(this);
    picGrande->setObjectName(QStringLiteral("picGrande"));
    picGrande->setAttribute(Qt::WA_OpaquePaintEvent);
    picGrande->setFocusPolicy(Qt::StrongFocus);
    picGrande->installEventFilter(this);
    // Panning is by dragging and by the wheel: the scroll bars and the label stay hidden.
    hsbX = new QScrollBar(Qt::Horizontal, this);
    hsbX->setObjectName(QStringLiteral("hsbX"));
    vsbY = new QScrollBar(Qt::Vertical, this);
    vsbY->setObjectName(QStringLiteral("vsbY"));
    lblDescripcion = new QLabel(this);
    lblDescripcion->setObjectName(QStringLiteral("lblDescripcion"));
    terminarDisposicion();

    AplicarTextosImagenCompleta();
}

void frmImagenCompleta::AplicarTextosImagenCompleta() {
    setWindowTitle(Texto(QStringLiteral("imagefull.title")));
}

void frmImagenCompleta::MostrarImagen(const QString& ruta, const QString& nombreFichero,
                                      const QString& /*descripcion*/, double fx, double fy) {
    if (!imagen_.cargar(ruta)) {
        if (UltimaCargaSinMemoria())
            MsgBox(parentWidget(), Texto(QStringLiteral("msg.image_too_large")).arg(ruta),
                   Msg::Exclamation, windowTitle());
        return;
    }
    nombreFichero_ = nombreFichero;
    ajustada_ = QImage();
    estado_.abrir(imagen_.tamano().width(), imagen_.tamano().height(), fx, fy);
    show();
    raise();
    activateWindow();
    MostrarAjustada();
}

void frmImagenCompleta::RefrescarVisual() {
    if (estado_.modo() == ModoVisor::Ajustado)
        MostrarAjustada();
    else
        Mostrar1a1(-1, -1);
}

EntornoVisor frmImagenCompleta::entorno() const {
    EntornoVisor e;
    const QScreen* pantalla = screen();
    e.pantalla = pantalla ? pantalla->geometry().size() : QSize();
    e.interior = size();
    e.borde = frameGeometry().size() - size();
    e.reservaAlto = DisenoAPixeles(kReservaAlto, logicalDpiY());
    e.usarInterior = isMaximized() || redimensionando_;
    return e;
}

void frmImagenCompleta::colocar(QSize area) {
    picGrande->setGeometry(QRect(QPoint(0, 0), area));
    if (isMaximized() || redimensionando_)
        return;
    const QSize borde = frameGeometry().size() - size();
    resize(area);
    if (const QScreen* pantalla = screen())
        move(PosicionCentrada(pantalla->geometry(), area + borde));
}

void frmImagenCompleta::terminarDisposicion() {
    lblDescripcion->hide();
    hsbX->hide();
    vsbY->hide();
}

void frmImagenCompleta::MostrarAjustada() {
    if (!imagen_.hayImagen() || ocupado_)
        return;
    const Bandera ocupado(ocupado_);
    const QSize area = AreaAjustada(imagen_.tamano(), AreaDisponible(entorno()));
    colocar(area);
    estado_.fijarArea(area);
    estado_.ponerAjustado();
    PintarAjustada(area);
    setWindowTitle(estado_.titulo(nombreFichero_));
    terminarDisposicion();
}

void frmImagenCompleta::PintarAjustada(QSize area) {
    ajustada_ = imagen_.paraArea(area.width(), area.height());
    picGrande->update();
}

void frmImagenCompleta::Mostrar1a1(int cx, int cy) {
    if (!imagen_.hayImagen() || ocupado_)
        return;
    const Bandera ocupado(ocupado_);
    const QSize area = AreaUnoAUno(imagen_.tamano(), AreaDisponible(entorno()));
    colocar(area);
    estado_.fijarArea(area);
    estado_.ponerUnoAUno(cx, cy);
    Pintar1a1();
    setWindowTitle(estado_.titulo(nombreFichero_));
    terminarDisposicion();
}

void frmImagenCompleta::Pintar1a1() {
    picGrande->update();
}

void frmImagenCompleta::pintar() {
    QPainter pintor(picGrande);
    const QRect area = picGrande->rect();
    if (estado_.modo() == ModoVisor::Ajustado && !ajustada_.isNull()) {
        pintor.setRenderHint(QPainter::SmoothPixmapTransform);
        pintor.drawImage(area, ajustada_);
        return;
    }
    pintor.fillRect(area, Qt::black);
    if (estado_.modo() == ModoVisor::UnoAUno && imagen_.hayImagen())
        pintor.drawImage(QPoint(0, 0), imagen_.completa(), QRect(estado_.scroll(), area.size()));
}

void frmImagenCompleta::EjecutarScrollRueda(int delta) {
    if (estado_.rueda(delta, QApplication::wheelScrollLines()))
        Pintar1a1();
}

void frmImagenCompleta::ejecutar(const AccionVisor& accion) {
    if (accion.tipo == AccionVisor::Ajustar)
        MostrarAjustada();
    else if (accion.tipo == AccionVisor::UnoAUno)
        Mostrar1a1(accion.centro.x(), accion.centro.y());
}

bool frmImagenCompleta::eventFilter(QObject* watched, QEvent* event) {
    if (watched != picGrande)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint:
        pintar();
        return true;
    case QEvent::MouseButtonPress: {
        const auto* raton = static_cast<QMouseEvent*>(event);
        estado_.pulsar(raton->position(), raton->button(), std::uint32_t(ContadorTicks()));
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        // The second press of a double-click arrives as the double-click itself.
        const auto* raton = static_cast<QMouseEvent*>(event);
        ejecutar(
            estado_.dobleClick(raton->position(), raton->button(), std::uint32_t(ContadorTicks())));
        return true;
    }
    case QEvent::MouseMove: {
        const auto* raton = static_cast<QMouseEvent*>(event);
        if ((raton->buttons() & Qt::LeftButton) && estado_.mover(raton->position()))
            Pintar1a1();
        return true;
    }
    case QEvent::MouseButtonRelease:
        ejecutar(estado_.soltar(static_cast<QMouseEvent*>(event)->button()));
        return true;
    case QEvent::Wheel: {
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (delta != 0) // a sideways wheel: not the vertical wheel this scrolls with
            EjecutarScrollRueda(delta);
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void frmImagenCompleta::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmImagenCompleta::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isMinimized() || !imagen_.hayImagen() || ocupado_)
        return;
    const Bandera redimensionando(redimensionando_);
    RefrescarVisual();
}

void frmImagenCompleta::closeEvent(QCloseEvent* event) {
    ajustada_ = QImage();
    imagen_.liberar();
    estado_.cerrar();
    QWidget::closeEvent(event);
}

void MostrarImagenCompleta(QWidget* owner, const QString& ruta, const QString& nombreFichero,
                           const QString& descripcion, double fx, double fy) {
    QPointer<frmImagenCompleta>& visor = Visor();
    if (!visor)
        visor = new frmImagenCompleta(owner);
    visor->MostrarImagen(ruta, nombreFichero, descripcion, fx, fy);
}

frmImagenCompleta* VisorImagenCompleta() {
    return Visor();
}

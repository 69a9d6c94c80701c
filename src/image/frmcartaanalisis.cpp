#include "image/frmcartaanalisis.h"

#include "image/chartinspectorinfo.h"
#include "image/frmimagencompleta.h"
#include "image/histogramdrawing.h"
#include "image/previewdrawing.h"
#include "lang/texto.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QVBoxLayout>

#include <cmath>

namespace {

QPointer<frmCartaAnalisis>& Inspector() {
    static QPointer<frmCartaAnalisis> inspector;
    return inspector;
}

QLabel* Etiqueta(QWidget* parent, const char* nombre) {
    auto* etiqueta = new QLabel(parent);
    etiqueta->setObjectName(QLatin1String(nombre));
    return etiqueta;
}

QLineEdit* CajaValor(QWidget* parent, const char* nombre) {
    auto* caja = new QLineEdit(parent);
    caja->setObjectName(QLatin1String(nombre));
    caja->setReadOnly(true);
    caja->setFixedWidth(56);
    QPalette blanco = caja->palette();
    blanco.setColor(QPalette::Base, Qt::white);
    blanco.setColor(QPalette::Text, Qt::black);
    caja->setPalette(blanco);
    return caja;
}

QWidget* Lienzo(QWidget* parent, const char* nombre) {
    auto* lienzo = new QWidget(parent);
    lienzo->setObjectName(QLatin1String(nombre));
    lienzo->setAttribute(Qt::WA_OpaquePaintEvent);
    return lienzo;
}

} // namespace

frmCartaAnalisis::frmCartaAnalisis(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmCartaAnalisis"));
    setAttribute(Qt::WA_DeleteOnClose);

    picCarta = Lienzo(this, "picCarta");
    picCarta->setMinimumSize(160, 120);
    picCarta->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    picCarta->setMouseTracking(true);
    picCarta->installEventFilter(this);
    picHist = Lienzo(this, "picHist");
    picHist->setFixedSize(320, 220);
    picHist->installEventFilter(this);
    lblProfile = Etiqueta(this, "lblProfile");
    lblProfile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblHistogram = Etiqueta(this, "lblHistogram");
    lblRed = Etiqueta(this, "lblRed");
    lblGreen = Etiqueta(this, "lblGreen");
    lblBlue = Etiqueta(this, "lblBlue");
    txtRed = CajaValor(this, "txtRed");
    txtGreen = CajaValor(this, "txtGreen");
    txtBlue = CajaValor(this, "txtBlue");

    auto* valores = new QGridLayout;
    valores->setHorizontalSpacing(8);
    int fila = 0;
    for (const auto& [etiqueta, caja] :
         {std::pair{lblRed, txtRed}, std::pair{lblGreen, txtGreen}, std::pair{lblBlue, txtBlue}}) {
        valores->addWidget(etiqueta, fila, 0);
        valores->addWidget(caja, fila, 1, Qt::AlignLeft);
        ++fila;
    }
    valores->setColumnStretch(2, 1);

    auto* lateral = new QVBoxLayout;
    lateral->addWidget(lblHistogram);
    lateral->addWidget(picHist);
    lateral->addSpacing(12);
    lateral->addLayout(valores);
    lateral->addStretch(1);

    auto* arriba = new QHBoxLayout;
    arriba->addWidget(picCarta, 1);
    arriba->addLayout(lateral);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(arriba, 1);
    layout->addWidget(lblProfile);
    resize(960, 600);

    AplicarTextosCartaAnalisis();
}

void frmCartaAnalisis::AplicarTextosCartaAnalisis() {
    setWindowTitle(Texto(QStringLiteral("chartinspect.title")));
    lblHistogram->setText(Texto(QStringLiteral("chartinspect.histogram")));
    lblRed->setText(Texto(QStringLiteral("chartinspect.red")));
    lblGreen->setText(Texto(QStringLiteral("chartinspect.green")));
    lblBlue->setText(Texto(QStringLiteral("chartinspect.blue")));
}

void frmCartaAnalisis::MostrarCarta(const QString& ruta, const QString& nombreFichero, double fx,
                                    double fy) {
    if (!QFileInfo(ruta).isFile())
        return;
    ruta_ = ruta;
    nombreFichero_ = nombreFichero;
    punto_.fx = fx;
    punto_.fy = fy;
    w_ = h_ = 0;
    histograma_ = Histograma();
    histogramaListo_ = false;
    carta_ = QImage();
    histogramaDibujado_ = QImage();
    TituloCarta();
    InfoPerfilCarta();
    show();
    raise();
    activateWindow();
    redibujar();
    MostrarPuntoCarta(punto_.fx, punto_.fy);
}

void frmCartaAnalisis::TituloCarta() {
    const QString separador = QStringLiteral(" | ");
    setWindowTitle(Texto(QStringLiteral("app.title")) + separador +
                   Texto(QStringLiteral("chartinspect.title")) + separador + nombreFichero_);
}

void frmCartaAnalisis::InfoPerfilCarta() {
    const TextosPerfilCarta textos{Texto(QStringLiteral("chartinspect.profile_unknown")),
                                   Texto(QStringLiteral("chartinspect.profile_embedded")),
                                   Texto(QStringLiteral("chartinspect.profile_none"))};
    lblProfile->setText(LineaPerfilCarta(w_, h_, ruta_, TextoPerfilCarta(ruta_, textos)));
}

void frmCartaAnalisis::DibujarCarta() {
    const QSize caja = picCarta->size();
    carta_ = QImage(caja, QImage::Format_RGB32);
    carta_.fill(Qt::black);
    punto_.borrar();
    picCarta->update();
    if (caja.width() < 2 || caja.height() < 2)
        return;
    int w = 0, h = 0, ancho = 0, alto = 0;
    if (!DibujarImagenAjustada(ruta_, carta_, caja.width(), caja.height(), w, h, ancho, alto))
        return;
    w_ = w;
    h_ = h;
    const int x = (caja.width() - ancho) / 2;
    const int y = (caja.height() - alto) / 2;
    punto_.dibujada(x, y, ancho, alto);
    QPainter pintor(&carta_);
    pintor.setPen(QColor(220, 220, 220));
    pintor.drawRect(x, y, ancho - 1, alto - 1); // corners inclusive
    pintor.end();
    InfoPerfilCarta();
}

bool frmCartaAnalisis::CalcularHistograma() {
    if (!histogramaListo_) {
        if (!::CalcularHistograma(ruta_, histograma_))
            return false;
        histogramaListo_ = true;
    }
    return histograma_.maximo >= 1;
}

void frmCartaAnalisis::DibujarHistograma() {
    histogramaDibujado_ = QImage(picHist->size(), QImage::Format_RGB32);
    ::DibujarHistograma(histogramaDibujado_, CalcularHistograma() ? &histograma_ : nullptr);
    picHist->update();
}

void frmCartaAnalisis::LeerPixelCarta(QPointF p) {
    if (!punto_.DentroDeImagen(p)) {
        txtRed->clear();
        txtGreen->clear();
        txtBlue->clear();
        return;
    }
    // Halves to the even neighbour, like every rounding of this window.
    const QPoint pixel(int(std::nearbyint(p.x())), int(std::nearbyint(p.y())));
    if (!carta_.valid(pixel))
        return;
    const QRgb color = carta_.pixel(pixel);
    txtRed->setText(QString::number(qRed(color)));
    txtGreen->setText(QString::number(qGreen(color)));
    txtBlue->setText(QString::number(qBlue(color)));
}

void frmCartaAnalisis::MostrarPuntoCarta(double fx, double fy) {
    LeerPixelCarta(punto_.PosicionPunto(fx, fy));
}

void frmCartaAnalisis::redibujar() {
    if (ruta_.isEmpty() || isMinimized())
        return;
    if (carta_.size() != picCarta->size())
        DibujarCarta();
    if (histogramaDibujado_.size() != picHist->size())
        DibujarHistograma();
}

bool frmCartaAnalisis::eventFilter(QObject* watched, QEvent* event) {
    if (watched != picCarta && watched != picHist)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter pintor(static_cast<QWidget*>(watched));
        const QImage& imagen = watched == picCarta ? carta_ : histogramaDibujado_;
        pintor.fillRect(static_cast<QWidget*>(watched)->rect(),
                        watched == picCarta ? Qt::black : Qt::white);
        pintor.drawImage(QPoint(0, 0), imagen);
        return true;
    }
    case QEvent::Resize:
        redibujar();
        break;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress: {
        const auto* raton = static_cast<QMouseEvent*>(event);
        if (watched == picCarta &&
            (event->type() == QEvent::MouseMove || raton->button() == Qt::LeftButton)) {
            punto_.ActualizarPuntoCarta(raton->position());
            LeerPixelCarta(raton->position());
        }
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (watched == picCarta && !ruta_.isEmpty())
            MostrarImagenCompleta(parentWidget(), ruta_, nombreFichero_, QString(), punto_.fx,
                                  punto_.fy);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmCartaAnalisis::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MostrarCartaAnalisis(QWidget* owner, const QString& ruta, const QString& nombreFichero,
                          double fx, double fy) {
    QPointer<frmCartaAnalisis>& inspector = Inspector();
    if (!inspector)
        inspector = new frmCartaAnalisis(owner);
    inspector->MostrarCarta(ruta, nombreFichero, fx, fy);
}

frmCartaAnalisis* InspectorCarta() {
    return Inspector();
}

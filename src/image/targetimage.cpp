#include "image/targetimage.h"

#include "image/fittedimage.h"
#include "image/freeimagelite.h"
#include "image/frmcartaanalisis.h"
#include "image/imagepreview.h"
#include "image/previewdrawing.h"
#include "lang/aboutinfo.h"
#include "lang/texto.h"
#include "shell/activitylog.h"
#include "shell/appfolders.h"
#include "shell/dialogs.h"
#include "shell/paths.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>

namespace {

QString Escala(double escala) {
    return QLocale().toString(escala, 'f', 3);
}

// The text after the last "." (the whole path when there is none), lower-cased.
QString Extension(const QString& ruta) {
    return ruta.mid(ruta.lastIndexOf(QLatin1Char('.')) + 1).toLower();
}

} // namespace

TargetImage::TargetImage(QWidget& window, const Controles& controles, ActivityLog& log)
    : QObject(&window), window_(window), c_(controles), log_(log) {
    connect(c_.cmdLoadImage, &QPushButton::clicked, this, &TargetImage::cmdLoadImage_Click);
    connect(c_.mnuFileOpenTarget, &QAction::triggered, this, &TargetImage::cmdLoadImage_Click);
    c_.picPreview->installEventFilter(this);
    connect(this, &TargetImage::abrirInspector, this,
            [this](const QString& ruta, const QString& nombre, double fx, double fy) {
                MostrarCartaAnalisis(&window_, ruta, nombre, fx, fy);
            });
}

void TargetImage::cmdLoadImage_Click() {
    const QString ruta = AbrirFichero(
        &window_,
        QStringLiteral("Imágenes (*.tif;*.tiff;*.png;*.jpg)|*.tif;*.tiff;*.png;*.jpg|Todos|*.*"),
        Texto(QStringLiteral("msg.open_target_title")), Carpetas().programFolder);
    if (ruta.isEmpty())
        return;
    // Not an image at all: the previous target stays.
    if (!FI_EsImagen(ruta)) {
        log_.LogMsg(Texto(QStringLiteral("log.target_failed")) + ruta);
        log_.LogMsg(Texto(QStringLiteral("log.detail")) + FI_UltimoError());
        rechazar(ruta);
        return;
    }
    ruta_ = ruta;
    emit imagenCambiada();
    c_.txtImage->setText(ruta);
    log_.LogMsg(Texto(QStringLiteral("log.target")) + ruta);

    const QString extension = Extension(ruta);
    borrarPreview();
    const bool tiff = extension == QLatin1String("tif") || extension == QLatin1String("tiff");
    if (tiff ? mostrarPreviewTiff(ruta) : mostrarPreview(ruta))
        return;
    // Its header read but its pixels do not: no Create may start with it.
    ruta_.clear();
    c_.txtImage->clear();
    if (!UltimaCargaSinMemoria())
        rechazar(ruta);
}

void TargetImage::rechazar(const QString& ruta) {
    MsgBox(&window_, Texto(QStringLiteral("msg.target_not_image")).arg(ruta), Msg::Exclamation,
           AboutInfo::kNombreProducto);
}

void TargetImage::borrarPreview() {
    c_.picPreview->clear();
    anchoDibujo_ = altoDibujo_ = 0;
}

bool TargetImage::mostrarPreview(const QString& ruta) {
    int w = 0, h = 0;
    const QImage imagen = CargarImagenFI(ruta, w, h);
    if (imagen.isNull()) {
        log_.LogMsg(Texto(QStringLiteral("log.target_failed")) + ruta);
        log_.LogMsg(Texto(QStringLiteral("log.detail")) + UltimoDetalleCarga());
        if (UltimaCargaSinMemoria())
            MsgBox(&window_, Texto(QStringLiteral("msg.image_too_large")).arg(ruta),
                   Msg::Exclamation, AboutInfo::kNombreProducto);
        return false;
    }
    const QSize caja = c_.picPreview->contentsRect().size();
    const AjusteImagen ajuste = CalcularAjuste(w, h, caja.width(), caja.height(), 4);
    // The full-size picture is only needed for this one drawing.
    QImage lienzo(caja, QImage::Format_ARGB32_Premultiplied);
    lienzo.fill(Qt::transparent);
    QPainter pintor(&lienzo);
    pintor.drawImage(QPoint(0, 0), imagen.scaled(ajuste.ancho, ajuste.alto, Qt::IgnoreAspectRatio,
                                                 Qt::SmoothTransformation));
    pintor.end();
    c_.picPreview->setPixmap(QPixmap::fromImage(lienzo));

    cajaDibujo_ = caja;
    anchoDibujo_ = ajuste.ancho;
    altoDibujo_ = ajuste.alto;
    previewTiff_ = false;
    log_.LogMsg(Texto(QStringLiteral("log.preview"))
                    .arg(w)
                    .arg(h)
                    .arg(anchoDibujo_)
                    .arg(altoDibujo_)
                    .arg(Escala(ajuste.escala)));
    return true;
}

bool TargetImage::mostrarPreviewTiff(const QString& ruta) {
    const QSize caja = c_.picPreview->contentsRect().size();
    QImage lienzo(caja, QImage::Format_RGB32);
    int w = 0, h = 0, anchoDibujo = 0, altoDibujo = 0;
    if (!DibujarImagenAjustada(ruta, lienzo, caja.width(), caja.height(), w, h, anchoDibujo,
                               altoDibujo)) {
        log_.LogMsg(Texto(QStringLiteral("log.target_failed")) + ruta);
        log_.LogMsg(Texto(QStringLiteral("log.detail_tiff")) + UltimoErrorVistaPrevia());
        return false;
    }
    c_.picPreview->setPixmap(QPixmap::fromImage(lienzo));
    cajaDibujo_ = caja;
    anchoDibujo_ = anchoDibujo;
    altoDibujo_ = altoDibujo;
    previewTiff_ = true;
    log_.LogMsg(Texto(QStringLiteral("log.preview_tiff"))
                    .arg(w)
                    .arg(h)
                    .arg(anchoDibujo_)
                    .arg(altoDibujo_)
                    .arg(Escala(double(anchoDibujo) / w)));
    return true;
}

QPointF TargetImage::origenDibujo() const {
    // Where the label placed the preview, which may differ from the box it was drawn for once
    // the window has been resized.
    const QLabel* caja = c_.picPreview;
    const QRect colocado = QStyle::alignedRect(caja->layoutDirection(), caja->alignment(),
                                               cajaDibujo_, caja->contentsRect());
    if (!previewTiff_)
        return colocado.topLeft();
    return colocado.topLeft() + QPoint((cajaDibujo_.width() - anchoDibujo_) / 2,
                                       (cajaDibujo_.height() - altoDibujo_) / 2);
}

void TargetImage::AbrirInspectorCarta() {
    const QString ruta = ruta_;
    if (ruta.isEmpty())
        return;
    double fx = 0.5;
    double fy = 0.5;
    if (anchoDibujo_ >= 1 && altoDibujo_ >= 1) {
        const QPointF p = pulsacion_ - origenDibujo();
        if (p.x() >= 0 && p.x() < anchoDibujo_ && p.y() >= 0 && p.y() < altoDibujo_) {
            fx = p.x() / anchoDibujo_;
            fy = p.y() / altoDibujo_;
        }
    }
    emit abrirInspector(ruta, NombreFichero(ruta), fx, fy);
}

bool TargetImage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == c_.picPreview) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* raton = static_cast<QMouseEvent*>(event);
            if (raton->button() == Qt::LeftButton)
                pulsacion_ = raton->position();
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            AbrirInspectorCarta();
        }
    }
    return QObject::eventFilter(watched, event);
}

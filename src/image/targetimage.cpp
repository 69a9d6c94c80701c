#include "image/targetimage.h"

#include "image/fittedimage.h"
#include "image/freeimagelite.h"
#include "image/frmcartaanalisis.h"
#include "image/imagepreview.h"
#include "image/previewdrawing.h"
#include "lang/texto.h"
#include "shell/appfolders.h"
#include "shell/dialogs.h"
#include "shell/frmmain.h"
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

TargetImage::TargetImage(frmMain& main) : QObject(&main), main_(main) {
    connect(main_.cmdLoadImage, &QPushButton::clicked, this, &TargetImage::cmdLoadImage_Click);
    connect(main_.mnuFileOpenTarget, &QAction::triggered, this, &TargetImage::cmdLoadImage_Click);
    main_.picPreview->installEventFilter(this);
    connect(this, &TargetImage::abrirInspector, this,
            [this](const QString& ruta, const QString& nombre, double fx, double fy) {
                MostrarCartaAnalisis(&main_, ruta, nombre, fx, fy);
            });
}

void TargetImage::cmdLoadImage_Click() {
    const QString ruta = AbrirFichero(
        &main_,
        QStringLiteral("Imágenes (*.tif;*.tiff;*.png;*.jpg)|*.tif;*.tiff;*.png;*.jpg|Todos|*.*"),
        Texto(QStringLiteral("msg.open_target_title")), Carpetas().programFolder);
    if (ruta.isEmpty())
        return;
    // Not an image at all: the previous target stays.
    if (!FI_EsImagen(ruta)) {
        main_.LogMsg(Texto(QStringLiteral("log.target_failed")) + ruta);
        main_.LogMsg(Texto(QStringLiteral("log.detail")) + FI_UltimoError());
        rechazar(ruta);
        return;
    }
    main_.RutaImagenTarget = ruta;
    main_.DescartarAjusteManual(Texto(QStringLiteral("log.target_changed")));
    main_.txtImage->setText(ruta);
    main_.LogMsg(Texto(QStringLiteral("log.target")) + ruta);

    const QString extension = Extension(ruta);
    borrarPreview();
    const bool tiff = extension == QLatin1String("tif") || extension == QLatin1String("tiff");
    if (tiff ? mostrarPreviewTiff(ruta) : mostrarPreview(ruta))
        return;
    // Its header read but its pixels do not: no Create may start with it.
    main_.RutaImagenTarget.clear();
    main_.txtImage->clear();
    if (!UltimaCargaSinMemoria())
        rechazar(ruta);
}

void TargetImage::rechazar(const QString& ruta) {
    MsgBox(&main_, Texto(QStringLiteral("msg.target_not_image")).arg(ruta), Msg::Exclamation,
           main_.NombreProducto);
}

void TargetImage::borrarPreview() {
    main_.picPreview->clear();
    anchoDibujo_ = altoDibujo_ = 0;
}

bool TargetImage::mostrarPreview(const QString& ruta) {
    int w = 0, h = 0;
    const QImage imagen = CargarImagenFI(ruta, w, h);
    if (imagen.isNull()) {
        main_.LogMsg(Texto(QStringLiteral("log.target_failed")) + ruta);
        main_.LogMsg(Texto(QStringLiteral("log.detail")) + UltimoDetalleCarga());
        if (UltimaCargaSinMemoria())
            MsgBox(&main_, Texto(QStringLiteral("msg.image_too_large")).arg(ruta), Msg::Exclamation,
                   main_.NombreProducto);
        return false;
    }
    const QSize caja = main_.picPreview->contentsRect().size();
    const AjusteImagen ajuste = CalcularAjuste(w, h, caja.width(), caja.height(), 4);
    // The full-size picture is only needed for this one drawing.
    QImage lienzo(caja, QImage::Format_ARGB32_Premultiplied);
    lienzo.fill(Qt::transparent);
    QPainter pintor(&lienzo);
    pintor.drawImage(QPoint(0, 0), imagen.scaled(ajuste.ancho, ajuste.alto, Qt::IgnoreAspectRatio,
                                                 Qt::SmoothTransformation));
    pintor.end();
    main_.picPreview->setPixmap(QPixmap::fromImage(lienzo));

    cajaDibujo_ = caja;
    anchoDibujo_ = ajuste.ancho;
    altoDibujo_ = ajuste.alto;
    previewTiff_ = false;
    main_.LogMsg(Texto(QStringLiteral("log.preview"))
                     .arg(w)
                     .arg(h)
                     .arg(anchoDibujo_)
                     .arg(altoDibujo_)
                     .arg(Escala(ajuste.escala)));
    return true;
}

bool TargetImage::mostrarPreviewTiff(const QString& ruta) {
    const QSize caja = main_.picPreview->contentsRect().size();
    QImage lienzo(caja, QImage::Format_RGB32);
    int w = 0, h = 0, anchoDibujo = 0, altoDibujo = 0;
    if (!DibujarImagenAjustada(ruta, lienzo, caja.width(), caja.height(), w, h, anchoDibujo,
                               altoDibujo)) {
        main_.LogMsg(Texto(QStringLiteral("log.target_failed")) + ruta);
        main_.LogMsg(Texto(QStringLiteral("log.detail_tiff")) + UltimoErrorVistaPrevia());
        return false;
    }
    main_.picPreview->setPixmap(QPixmap::fromImage(lienzo));
    cajaDibujo_ = caja;
    anchoDibujo_ = anchoDibujo;
    altoDibujo_ = altoDibujo;
    previewTiff_ = true;
    main_.LogMsg(Texto(QStringLiteral("log.preview_tiff"))
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
    const QLabel* caja = main_.picPreview;
    const QRect colocado = QStyle::alignedRect(caja->layoutDirection(), caja->alignment(),
                                               cajaDibujo_, caja->contentsRect());
    if (!previewTiff_)
        return colocado.topLeft();
    return colocado.topLeft() + QPoint((cajaDibujo_.width() - anchoDibujo_) / 2,
                                       (cajaDibujo_.height() - altoDibujo_) / 2);
}

void TargetImage::AbrirInspectorCarta() {
    const QString ruta = main_.RutaImagenTarget;
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
    if (watched == main_.picPreview) {
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

#include "image/imageviewerpicture.h"

#include "image/freeimagelite.h"
#include "image/imagepreview.h"

#include <QImageReader>

#include <algorithm>

bool ImagenVisor::cargar(const QString& ruta) {
    QImageReader lector(ruta);
    // The reduction comes from FreeImage, which ignores orientation tags: both must agree.
    lector.setAutoTransform(false);
    QImage imagen = lector.read();
    if (imagen.isNull()) {
        int w = 0, h = 0;
        imagen = CargarImagenFI(ruta, w, h);
    }
    if (imagen.isNull())
        return false;
    // One layout that paints fast, whatever the reader produced.
    if (imagen.format() != QImage::Format_RGB32 && imagen.format() != QImage::Format_ARGB32)
        imagen.convertTo(imagen.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    ruta_ = ruta;
    completa_ = std::move(imagen);
    reducida_ = QImage();
    return true;
}

void ImagenVisor::liberar() {
    ruta_.clear();
    completa_ = QImage();
    reducida_ = QImage();
}

const QImage& ImagenVisor::paraArea(int ancho, int alto) {
    const QSize area(std::max(1, ancho), std::max(1, alto));
    if (area.width() >= completa_.width() && area.height() >= completa_.height()) {
        reducida_ = QImage();
        return completa_;
    }
    if (reducida_.size() != area) {
        int w = 0, h = 0;
        reducida_ = FI_CargarEscalada(ruta_, area.width(), area.height(), w, h);
    }
    return reducida_.isNull() ? completa_ : reducida_;
}

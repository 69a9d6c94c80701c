#include "charts/chartpicture.h"

#include <QImageReader>
#include <QPainter>

#include <cmath>

std::optional<QRect> RectanguloImagenCarta(const QSize& natural, const QSize& caja) {
    if (natural.width() <= 0 || natural.height() <= 0 || caja.width() <= 0 || caja.height() <= 0) {
        return std::nullopt;
    }
    const double rx = static_cast<double>(caja.width()) / natural.width();
    const double ry = static_cast<double>(caja.height()) / natural.height();
    const double s = rx < ry ? rx : ry;
    const int dw = static_cast<int>(std::nearbyint(s * natural.width()));
    const int dh = static_cast<int>(std::nearbyint(s * natural.height()));
    if (dw < 1 || dh < 1) {
        return std::nullopt;
    }
    return QRect((caja.width() - dw) / 2, (caja.height() - dh) / 2, dw, dh);
}

QImage DibujoImagenCarta(const QString& ruta, const QSize& caja, const QColor& fondo) {
    if (ruta.isEmpty()) {
        return QImage();
    }
    QImageReader lector(ruta);
    const QImage imagen = lector.read();
    if (imagen.isNull()) {
        return QImage();
    }
    const std::optional<QRect> destino = RectanguloImagenCarta(imagen.size(), caja);
    if (!destino) {
        return QImage();
    }
    QImage dibujo(caja, QImage::Format_RGB32);
    dibujo.fill(fondo);
    QPainter pintor(&dibujo);
    pintor.setRenderHint(QPainter::SmoothPixmapTransform);
    pintor.drawImage(*destino, imagen);
    return dibujo;
}

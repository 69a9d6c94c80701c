#include "grid/fittedimagecache.h"

#include "image/previewdrawing.h"

#include <QFileInfo>

const FittedImageCache::Dibujo& FittedImageCache::Dibujar(const QString& ruta, const QSize& caja) {
    const QSize box = caja.expandedTo(QSize(1, 1));
    const QFileInfo info(ruta);
    const qint64 tamano = info.exists() ? info.size() : -1;
    const QDateTime modificado = info.exists() ? info.lastModified() : QDateTime();
    if (dibujo_.ok && ruta == ruta_ && box == caja_ && tamano == tamanoFichero_ &&
        modificado == modificado_)
        return dibujo_;

    ruta_ = ruta;
    caja_ = box;
    tamanoFichero_ = tamano;
    modificado_ = modificado;
    dibujo_ = Dibujo();
    dibujo_.imagen = QImage(box, QImage::Format_RGB32);
    dibujo_.imagen.fill(Qt::black);
    ++cargas_;
    dibujo_.ok =
        DibujarImagenAjustada(ruta, dibujo_.imagen, box.width(), box.height(), dibujo_.anchoImagen,
                              dibujo_.altoImagen, dibujo_.anchoDibujo, dibujo_.altoDibujo);
    if (!dibujo_.ok)
        dibujo_.error = UltimoErrorVistaPrevia();
    return dibujo_;
}

void FittedImageCache::Olvidar() {
    ruta_.clear();
    caja_ = QSize();
    dibujo_ = Dibujo();
}

#pragma once

#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>

// An image file drawn fitted into a box (DibujarImagenAjustada), kept while the file and the box
// stay the same, so an overlay can be redrawn on every mouse move without decoding and
// rescaling the file each time.
class FittedImageCache {
public:
    struct Dibujo {
        bool ok = false;
        QImage imagen; // the box: black with the image centred in it
        int anchoImagen = 0;
        int altoImagen = 0;
        int anchoDibujo = 0;
        int altoDibujo = 0;
        QString error; // UltimoErrorVistaPrevia when the drawing failed
    };

    // The file drawn into a box of that size (at least 1 x 1). Drawn anew when the path, the
    // box size or the file's size or modification time changed; a failure is not kept, so the
    // next call tries again.
    const Dibujo& Dibujar(const QString& ruta, const QSize& caja);
    // Forgets the kept drawing.
    void Olvidar();
    // How many times the file was actually decoded and drawn.
    int Cargas() const { return cargas_; }

private:
    QString ruta_;
    QSize caja_;
    qint64 tamanoFichero_ = -1;
    QDateTime modificado_;
    Dibujo dibujo_;
    int cargas_ = 0;
};

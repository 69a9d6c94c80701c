#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The full image viewer's pictures: the image at full resolution, and its Lanczos reduction
// for the fit view, made once per area size and reused while the size stays.
class ImagenVisor {
public:
    // Reads the image with the toolkit's own reader (no orientation applied), else through
    // FreeImage, and drops any reduction; false, with the pictures held kept, when neither
    // can read it.
    bool cargar(const QString& ruta);
    void liberar();

    bool hayImagen() const { return !completa_.isNull(); }
    const QImage& completa() const { return completa_; }
    QSize tamano() const { return completa_.size(); }

    // What the fit view paints into an area of ancho x alto pixels (each raised to 1): when
    // that reduces the image, its Lanczos rescale to exactly that size, made only when the
    // size changed (the full picture when the rescale fails); else the full picture.
    const QImage& paraArea(int ancho, int alto);
    // The size of the reduction held, (0, 0) when there is none.
    QSize tamanoReducida() const { return reducida_.size(); }

private:
    QString ruta_;
    QImage completa_;
    QImage reducida_;
};

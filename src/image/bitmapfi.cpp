#include "image/bitmapfi.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

// The 32-bit bitmaps are wrapped as QImage ARGB32/RGB32, whose bytes are B, G, R, A.
static_assert(FI_RGBA_BLUE == 0 && FI_RGBA_GREEN == 1 && FI_RGBA_RED == 2 && FI_RGBA_ALPHA == 3);

namespace {

bool DentroDelPresupuesto(qint64 w, qint64 h) {
    return w * h <= kMaxPixelesImagen;
}

} // namespace

ImagenFI AbrirImagenFI(const QString& path, bool soloCabecera, bool rapido) {
    ImagenFI imagen;
    if (!QFileInfo(path).isFile()) {
        imagen.resultado = AperturaFI::NoExiste;
        return imagen;
    }
    const QByteArray nombre = QFile::encodeName(path);
    FREE_IMAGE_FORMAT fif = FreeImage_GetFileType(nombre.constData(), 0);
    if (fif == FIF_UNKNOWN)
        fif = FreeImage_GetFIFFromFilename(nombre.constData());
    imagen.formato = fif;
    if (fif == FIF_UNKNOWN) {
        imagen.resultado = AperturaFI::FormatoNoReconocido;
        return imagen;
    }

    if (FreeImage_FIFSupportsNoPixels(fif)) {
        BitmapFI cabecera(FreeImage_Load(fif, nombre.constData(), FIF_LOAD_NOPIXELS));
        if (!cabecera) {
            imagen.resultado = AperturaFI::FalloCarga;
            return imagen;
        }
        imagen.anchoCabecera = int(FreeImage_GetWidth(cabecera.get()));
        imagen.altoCabecera = int(FreeImage_GetHeight(cabecera.get()));
        if (soloCabecera) {
            imagen.bitmap = std::move(cabecera);
            imagen.resultado = AperturaFI::Ok;
            return imagen;
        }
        if (!DentroDelPresupuesto(FreeImage_GetWidth(cabecera.get()),
                                  FreeImage_GetHeight(cabecera.get()))) {
            imagen.resultado = AperturaFI::DemasiadoGrande;
            return imagen;
        }
    } else {
        // FreeImage cannot read this format's header alone; Qt may know its size.
        const QSize tamano = QImageReader(path).size();
        imagen.anchoCabecera = tamano.width();
        imagen.altoCabecera = tamano.height();
        if (tamano.isValid() && !DentroDelPresupuesto(tamano.width(), tamano.height())) {
            imagen.resultado = AperturaFI::DemasiadoGrande;
            return imagen;
        }
    }

    const int flags = fif == FIF_JPEG && !rapido ? JPEG_ACCURATE : 0;
    imagen.bitmap.reset(FreeImage_Load(fif, nombre.constData(), flags));
    imagen.resultado = imagen.bitmap ? AperturaFI::Ok : AperturaFI::FalloCarga;
    return imagen;
}

BitmapFI A24Bits(BitmapFI bitmap) {
    const FREE_IMAGE_TYPE tipo = FreeImage_GetImageType(bitmap.get());
    if (tipo == FIT_BITMAP && FreeImage_GetBPP(bitmap.get()) == 24)
        return bitmap;
    if (tipo == FIT_UINT16) {
        bitmap.reset(FreeImage_ConvertToRGB16(bitmap.get()));
        if (!bitmap)
            return nullptr;
    }
    return BitmapFI(FreeImage_ConvertTo24Bits(bitmap.get()));
}

QImage ImagenQt(BitmapFI bitmap) {
    const bool transparente = FreeImage_IsTransparent(bitmap.get());
    BitmapFI de32(FreeImage_ConvertTo32Bits(bitmap.get()));
    bitmap.reset();
    if (!de32)
        return QImage();
    FreeImage_FlipVertical(de32.get());
    FIBITMAP* propio = de32.release();
    return QImage(
        FreeImage_GetBits(propio), int(FreeImage_GetWidth(propio)),
        int(FreeImage_GetHeight(propio)), qsizetype(FreeImage_GetPitch(propio)),
        transparente ? QImage::Format_ARGB32 : QImage::Format_RGB32,
        [](void* datos) { FreeImage_Unload(static_cast<FIBITMAP*>(datos)); }, propio);
}

#include "image/freeimagelite.h"

#include "image/bitmapfi.h"
#include "image/bufferrgb.h"
#include "image/imagememory.h"

#include <QFile>

#include <cstdio>
#include <cstring>

namespace {

// Per thread: batch profile runs convert images at the same time, each reads its own error.
QString& UltimoError() {
    static thread_local QString error;
    return error;
}

bool& SinMemoria() {
    static thread_local bool sinMemoria = false;
    return sinMemoria;
}

// The buffer did not fit in memory; false, for the caller to return.
bool FaltaMemoria(const QString& descripcion) {
    UltimoError() = descripcion + QStringLiteral("  | ") + QLatin1String(kTextoSinMemoria);
    SinMemoria() = true;
    return false;
}

// Opens the source as every operation does and sets the last error when it fails.
BitmapFI Abrir(const QString& ruta, FREE_IMAGE_FORMAT& fif, bool soloCabecera = false) {
    UltimoError().clear();
    SinMemoria() = false;
    ImagenFI imagen = AbrirImagenFI(ruta, soloCabecera);
    fif = imagen.formato;
    const QString formato = QString::number(int(fif));
    switch (imagen.resultado) {
    case AperturaFI::Ok:
        return std::move(imagen.bitmap);
    case AperturaFI::NoExiste:
        UltimoError() = QStringLiteral("El fichero no existe: ") + ruta;
        break;
    case AperturaFI::FormatoNoReconocido:
        UltimoError() = QStringLiteral("Formato no reconocido");
        break;
    case AperturaFI::FalloCarga:
        UltimoError() = QStringLiteral("FreeImage_Load fallo (fif=") + formato + QLatin1Char(')');
        break;
    case AperturaFI::DemasiadoGrande:
        UltimoError() = QStringLiteral("FreeImage_Load fallo (fif=%1): imagen demasiado grande "
                                       "(%2x%3)")
                            .arg(formato)
                            .arg(imagen.anchoCabecera)
                            .arg(imagen.altoCabecera);
        break;
    }
    return nullptr;
}

// 16-bit RGB, or 16-bit grey given to all three channels. False when the buffer cannot be had.
bool CopiarRGB16(FIBITMAP* bitmap, int w, int h, BufferRGB& buffer) {
    if (!buffer.redimensionar(w, h, 16))
        return false;
    const bool gris = FreeImage_GetImageType(bitmap) == FIT_UINT16;
    for (int y = 0; y < h; ++y) {
        // The library keeps scanlines bottom-up.
        const BYTE* linea = FreeImage_GetScanLine(bitmap, h - 1 - y);
        const auto* grises = reinterpret_cast<const WORD*>(linea);
        const auto* rgb = reinterpret_cast<const FIRGB16*>(linea);
        std::uint16_t* fila = buffer.fila16(y);
        for (int x = 0; x < w; ++x) {
            fila[3 * x] = gris ? grises[x] : rgb[x].red;
            fila[3 * x + 1] = gris ? grises[x] : rgb[x].green;
            fila[3 * x + 2] = gris ? grises[x] : rgb[x].blue;
        }
    }
    return true;
}

bool CopiarRGB8(FIBITMAP* bitmap, int w, int h, BufferRGB& buffer) {
    if (!buffer.redimensionar(w, h, 8))
        return false;
    for (int y = 0; y < h; ++y) {
        const BYTE* linea = FreeImage_GetScanLine(bitmap, h - 1 - y);
        std::uint8_t* fila = buffer.fila8(y);
        for (int x = 0; x < w; ++x) {
            fila[3 * x] = linea[3 * x + FI_RGBA_RED];
            fila[3 * x + 1] = linea[3 * x + FI_RGBA_GREEN];
            fila[3 * x + 2] = linea[3 * x + FI_RGBA_BLUE];
        }
    }
    return true;
}

unsigned DLL_CALLCONV EscribirFichero(void* datos, unsigned tamano, unsigned cuenta,
                                      fi_handle fichero) {
    return unsigned(std::fwrite(datos, tamano, cuenta, static_cast<FILE*>(fichero)));
}

unsigned DLL_CALLCONV LeerFichero(void* datos, unsigned tamano, unsigned cuenta,
                                  fi_handle fichero) {
    return unsigned(std::fread(datos, tamano, cuenta, static_cast<FILE*>(fichero)));
}

int DLL_CALLCONV BuscarFichero(fi_handle fichero, long desplazamiento, int origen) {
    return std::fseek(static_cast<FILE*>(fichero), desplazamiento, origen);
}

long DLL_CALLCONV PosicionFichero(fi_handle fichero) {
    return std::ftell(static_cast<FILE*>(fichero));
}

// Saves into a file that must not exist yet: a temporary name that someone else already holds
// (or a link planted there) is never written through.
bool GuardarEnFicheroNuevo(FREE_IMAGE_FORMAT fif, FIBITMAP* bitmap, const QString& ruta,
                           int flags) {
    FILE* fichero = std::fopen(QFile::encodeName(ruta).constData(), "wbx");
    if (!fichero)
        return false;
    FreeImageIO io{LeerFichero, EscribirFichero, BuscarFichero, PosicionFichero};
    // The library reports success even when its writes failed (a full disk): the stream's
    // error flag tells.
    const bool guardado =
        FreeImage_SaveToHandle(fif, bitmap, &io, fichero, flags) && !std::ferror(fichero);
    const bool cerrado = std::fclose(fichero) == 0;
    if (!(guardado && cerrado))
        QFile::remove(ruta);
    return guardado && cerrado;
}

// Uncompressed: compressing costs more than decoding the source, and scanin reads an
// uncompressed TIFF faster.
bool GuardarTIFF(FIBITMAP* bitmap, const QString& destino) {
    return GuardarEnFicheroNuevo(FIF_TIFF, bitmap, destino, TIFF_NONE);
}

// 16 bits per channel stay 16 (scanin reads them); anything else becomes 24-bit RGB.
BitmapFI ARGBParaScanin(BitmapFI bitmap) {
    switch (FreeImage_GetImageType(bitmap.get())) {
    case FIT_UINT16:
    case FIT_RGB16:
    case FIT_RGBA16:
        return FreeImage_GetImageType(bitmap.get()) == FIT_RGB16
                   ? std::move(bitmap)
                   : BitmapFI(FreeImage_ConvertToRGB16(bitmap.get()));
    default:
        return A24Bits(std::move(bitmap));
    }
}

} // namespace

QString FI_UltimoError() {
    return UltimoError();
}

bool FI_SinMemoria() {
    return SinMemoria();
}

bool FI_CargarRGB(const QString& ruta, int& w, int& h, int& bitsPorMuestra, BufferRGB& buffer) {
    FREE_IMAGE_FORMAT fif = FIF_UNKNOWN;
    BitmapFI bitmap = Abrir(ruta, fif);
    if (!bitmap)
        return false;
    w = int(FreeImage_GetWidth(bitmap.get()));
    h = int(FreeImage_GetHeight(bitmap.get()));
    const FREE_IMAGE_TYPE tipo = FreeImage_GetImageType(bitmap.get());
    const QString descripcion = QStringLiteral("fif=%1 it=%2 bpp=%3 W=%4 H=%5 pitch=%6")
                                    .arg(int(fif))
                                    .arg(int(tipo))
                                    .arg(FreeImage_GetBPP(bitmap.get()))
                                    .arg(w)
                                    .arg(h)
                                    .arg(FreeImage_GetPitch(bitmap.get()));
    UltimoError() = descripcion;

    if (tipo == FIT_RGB16 || tipo == FIT_UINT16) {
        bitsPorMuestra = 16;
        return CopiarRGB16(bitmap.get(), w, h, buffer) || FaltaMemoria(descripcion);
    }
    BitmapFI rgb = A24Bits(std::move(bitmap));
    if (!rgb) {
        UltimoError() = descripcion + QStringLiteral("  | ConvertTo24 fallo");
        return false;
    }
    w = int(FreeImage_GetWidth(rgb.get()));
    h = int(FreeImage_GetHeight(rgb.get()));
    bitsPorMuestra = 8;
    return CopiarRGB8(rgb.get(), w, h, buffer) || FaltaMemoria(descripcion);
}

bool FI_EsImagen(const QString& ruta) {
    FREE_IMAGE_FORMAT fif = FIF_UNKNOWN;
    return Abrir(ruta, fif, true) != nullptr;
}

bool FI_ObtenerDimensiones(const QString& ruta, int& w, int& h) {
    FREE_IMAGE_FORMAT fif = FIF_UNKNOWN;
    const BitmapFI bitmap = Abrir(ruta, fif);
    if (!bitmap)
        return false;
    w = int(FreeImage_GetWidth(bitmap.get()));
    h = int(FreeImage_GetHeight(bitmap.get()));
    return w > 0 && h > 0;
}

QImage FI_CargarEscalada(const QString& ruta, int anchoDestino, int altoDestino, int& w, int& h) {
    UltimoError().clear();
    if (anchoDestino < 1 || altoDestino < 1) {
        UltimoError() = QStringLiteral("Dimensiones de destino no válidas");
        return QImage();
    }
    FREE_IMAGE_FORMAT fif = FIF_UNKNOWN;
    BitmapFI bitmap = Abrir(ruta, fif);
    if (!bitmap)
        return QImage();
    w = int(FreeImage_GetWidth(bitmap.get()));
    h = int(FreeImage_GetHeight(bitmap.get()));

    BitmapFI rgb = A24Bits(std::move(bitmap));
    if (!rgb) {
        UltimoError() = QStringLiteral("FreeImage_ConvertTo24Bits fallo");
        return QImage();
    }
    if (int(FreeImage_GetWidth(rgb.get())) != anchoDestino ||
        int(FreeImage_GetHeight(rgb.get())) != altoDestino) {
        rgb.reset(FreeImage_Rescale(rgb.get(), anchoDestino, altoDestino, FILTER_LANCZOS3));
        if (!rgb) {
            UltimoError() = QStringLiteral("FreeImage_Rescale Lanczos fallo");
            return QImage();
        }
    }

    QImage imagen = ImagenQt(std::move(rgb));
    if (imagen.isNull())
        UltimoError() = QStringLiteral("FreeImage_ConvertTo32Bits fallo");
    return imagen;
}

bool FI_RotarGuardarTIFF(const QString& origen, const QString& destino, bool sentidoHorario) {
    FREE_IMAGE_FORMAT fif = FIF_UNKNOWN;
    BitmapFI bitmap = Abrir(origen, fif);
    if (!bitmap)
        return false;
    BitmapFI rgb = A24Bits(std::move(bitmap));
    if (!rgb) {
        UltimoError() = QStringLiteral("FreeImage_ConvertTo24Bits fallo");
        return false;
    }
    // The library turns counter-clockwise for positive angles.
    const BitmapFI girado(FreeImage_Rotate(rgb.get(), sentidoHorario ? -90.0 : 90.0, nullptr));
    rgb.reset();
    if (!girado) {
        UltimoError() = QStringLiteral("FreeImage_Rotate fallo");
        return false;
    }
    if (!GuardarTIFF(girado.get(), destino)) {
        UltimoError() = QStringLiteral("FreeImage_Save TIFF rotado fallo");
        return false;
    }
    return true;
}

bool FI_ConvertirATIFFRGB(const QString& origen, const QString& destino) {
    FREE_IMAGE_FORMAT fif = FIF_UNKNOWN;
    BitmapFI bitmap = Abrir(origen, fif);
    if (!bitmap)
        return false;
    const BitmapFI rgb = ARGBParaScanin(std::move(bitmap));
    if (!rgb) {
        UltimoError() = QStringLiteral("FreeImage_ConvertTo24Bits fallo");
        return false;
    }
    if (!GuardarTIFF(rgb.get(), destino)) {
        UltimoError() = QStringLiteral("FreeImage_Save TIFF RGB fallo");
        return false;
    }
    return true;
}

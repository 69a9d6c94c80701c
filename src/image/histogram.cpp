#include "image/histogram.h"

#include "image/bitmapfi.h"

#include <algorithm>

namespace {

// mean * 255 + 0.5 is s / 3 + 0.5 for 8-bit samples summing to s and s / 771 + 0.5 for 16-bit
// ones. Neither quotient ever lies within 1/1542 of a whole number, so the exact integer form
// below gives the same bin as the floating-point formula for every pixel.
inline int Bin8(unsigned suma) {
    return int((2 * suma + 3) / 6);
}

inline int Bin16(unsigned suma) {
    return int((2 * suma + 771) / 1542);
}

// One 16-bit sample: s / 257 + 0.5, never a tie, so exact in integers too.
inline int Nivel16(unsigned s) {
    return int((2 * s + 257) / 514);
}

void ContarCanales16(unsigned r, unsigned g, unsigned b, Histograma& h) {
    ++h.canales[0][std::size_t(Nivel16(r))];
    ++h.canales[1][std::size_t(Nivel16(g))];
    ++h.canales[2][std::size_t(Nivel16(b))];
}

void ContarRGB16(FIBITMAP* bitmap, int w, int h, Histograma& histograma) {
    for (int y = 0; y < h; ++y) {
        const auto* linea = reinterpret_cast<const FIRGB16*>(FreeImage_GetScanLine(bitmap, y));
        for (int x = 0; x < w; ++x) {
            ++histograma.cuentas[Bin16(unsigned(linea[x].red) + linea[x].green + linea[x].blue)];
            ContarCanales16(linea[x].red, linea[x].green, linea[x].blue, histograma);
        }
    }
}

// 16-bit grey, kept at 16 bits as FI_CargarRGB keeps it: the three channels are equal.
void ContarGris16(FIBITMAP* bitmap, int w, int h, Histograma& histograma) {
    for (int y = 0; y < h; ++y) {
        const auto* linea = reinterpret_cast<const WORD*>(FreeImage_GetScanLine(bitmap, y));
        for (int x = 0; x < w; ++x) {
            ++histograma.cuentas[Bin16(3u * linea[x])];
            ContarCanales16(linea[x], linea[x], linea[x], histograma);
        }
    }
}

// A 24- or 32-bit line in the library's byte order; the alpha byte is skipped.
void ContarLinea8(const BYTE* linea, int w, int bytesPorPixel, Histograma& histograma) {
    for (int x = 0; x < w; ++x, linea += bytesPorPixel) {
        ++histograma.cuentas[Bin8(unsigned(linea[0]) + linea[1] + linea[2])];
        ++histograma.canales[0][linea[FI_RGBA_RED]];
        ++histograma.canales[1][linea[FI_RGBA_GREEN]];
        ++histograma.canales[2][linea[FI_RGBA_BLUE]];
    }
}

void ContarRGB8(FIBITMAP* bitmap, int w, int h, Histograma& histograma) {
    const int bytesPorPixel = int(FreeImage_GetBPP(bitmap)) / 8;
    for (int y = 0; y < h; ++y)
        ContarLinea8(FreeImage_GetScanLine(bitmap, y), w, bytesPorPixel, histograma);
}

// Other layouts (palettes, grey, RGBA16...) go through the library's own 24-bit
// conversion one row at a time, which gives the same pixels as converting the whole image.
bool ContarConvirtiendo(FIBITMAP* bitmap, int w, int h, Histograma& histograma) {
    for (int y = 0; y < h; ++y) {
        const BitmapFI fila(FreeImage_Copy(bitmap, 0, y, w, y + 1));
        const BitmapFI fila24(fila ? FreeImage_ConvertTo24Bits(fila.get()) : nullptr);
        if (!fila24)
            return false;
        ContarLinea8(FreeImage_GetScanLine(fila24.get(), 0), w, 3, histograma);
    }
    return true;
}

} // namespace

int BinHistograma(int r, int g, int b, int bitsPorMuestra) {
    const unsigned suma = unsigned(std::max(r + g + b, 0));
    return std::min(bitsPorMuestra == 16 ? Bin16(suma) : Bin8(suma), 255);
}

bool CalcularHistograma(const QString& ruta, Histograma& histograma) {
    histograma = Histograma();
    const ImagenFI imagen = AbrirImagenFI(ruta);
    if (imagen.resultado != AperturaFI::Ok)
        return false;
    FIBITMAP* bitmap = imagen.bitmap.get();
    const int w = int(FreeImage_GetWidth(bitmap));
    const int h = int(FreeImage_GetHeight(bitmap));
    const FREE_IMAGE_TYPE tipo = FreeImage_GetImageType(bitmap);
    const unsigned bpp = FreeImage_GetBPP(bitmap);

    if (tipo == FIT_RGB16) {
        ContarRGB16(bitmap, w, h, histograma);
    } else if (tipo == FIT_UINT16) {
        ContarGris16(bitmap, w, h, histograma);
    } else if (tipo == FIT_BITMAP && (bpp == 24 || bpp == 32)) {
        ContarRGB8(bitmap, w, h, histograma);
    } else if (!ContarConvirtiendo(bitmap, w, h, histograma)) {
        histograma = Histograma();
        return false;
    }
    histograma.maximo = *std::max_element(histograma.cuentas.begin(), histograma.cuentas.end());
    for (const auto& canal : histograma.canales)
        histograma.maximoCanales =
            std::max(histograma.maximoCanales, *std::max_element(canal.begin(), canal.end()));
    return true;
}

#include "image/reducedimage.h"

#include <vector>

namespace {

template <typename Muestra>
QImage Reducir(FIBITMAP* bitmap, int factor, int paso, const int canal[3], int desplazamiento) {
    const int w = int(FreeImage_GetWidth(bitmap));
    const int h = int(FreeImage_GetHeight(bitmap));
    const int wr = (w + factor - 1) / factor;
    const int hr = (h + factor - 1) / factor;
    QImage reducida(wr, hr, QImage::Format_RGB32);
    if (reducida.isNull())
        return reducida;
    std::vector<quint64> suma(std::size_t(wr) * 3);
    for (int yr = 0; yr < hr; ++yr) {
        std::fill(suma.begin(), suma.end(), 0);
        const int y0 = yr * factor;
        const int y1 = std::min(h, y0 + factor);
        for (int y = y0; y < y1; ++y) {
            // The library keeps scanlines bottom-up.
            const auto* linea =
                reinterpret_cast<const Muestra*>(FreeImage_GetScanLine(bitmap, h - 1 - y));
            for (int xr = 0; xr < wr; ++xr) {
                quint64* s = &suma[std::size_t(xr) * 3];
                const int x1 = std::min(w, xr * factor + factor);
                for (int x = xr * factor; x < x1; ++x) {
                    const Muestra* p = linea + std::size_t(x) * paso;
                    s[0] += p[canal[0]];
                    s[1] += p[canal[1]];
                    s[2] += p[canal[2]];
                }
            }
        }
        auto* destino = reinterpret_cast<QRgb*>(reducida.scanLine(yr));
        for (int xr = 0; xr < wr; ++xr) {
            const quint64 n =
                quint64(y1 - y0) * quint64(std::min(w, xr * factor + factor) - xr * factor);
            const quint64* s = &suma[std::size_t(xr) * 3];
            destino[xr] = qRgb(int(((s[0] + n / 2) / n) >> desplazamiento),
                               int(((s[1] + n / 2) / n) >> desplazamiento),
                               int(((s[2] + n / 2) / n) >> desplazamiento));
        }
    }
    return reducida;
}

} // namespace

QImage ReducirBitmap(FIBITMAP* bitmap, int factor) {
    if (factor < 1)
        return QImage();
    const FREE_IMAGE_TYPE tipo = FreeImage_GetImageType(bitmap);
    if (tipo == FIT_RGB16) {
        const int rgb[3] = {0, 1, 2};
        return Reducir<WORD>(bitmap, factor, 3, rgb, 8);
    }
    if (tipo == FIT_UINT16) {
        const int gris[3] = {0, 0, 0};
        return Reducir<WORD>(bitmap, factor, 1, gris, 8);
    }
    const unsigned bpp = FreeImage_GetBPP(bitmap);
    if (tipo != FIT_BITMAP || (bpp != 24 && bpp != 32) || FreeImage_IsTransparent(bitmap))
        return QImage();
    const int bgr[3] = {FI_RGBA_RED, FI_RGBA_GREEN, FI_RGBA_BLUE};
    return Reducir<BYTE>(bitmap, factor, int(bpp / 8), bgr, 0);
}

#include "imagefixtures.h"

#include <QFile>
#include <QtEndian>

#include <memory>

#include <zlib.h>

namespace {

struct Descarga {
    void operator()(FIBITMAP* b) const { FreeImage_Unload(b); }
};

QByteArray BE(quint32 valor) {
    QByteArray b(4, '\0');
    qToBigEndian(valor, b.data());
    return b;
}

// Length, type, data and the CRC of type and data.
QByteArray TrozoPng(const char* tipo, const QByteArray& datos) {
    const QByteArray cuerpo = QByteArray(tipo, 4) + datos;
    const auto* bytes = reinterpret_cast<const Bytef*>(cuerpo.constData());
    return BE(quint32(datos.size())) + cuerpo + BE(quint32(crc32(0, bytes, uInt(cuerpo.size()))));
}

} // namespace

bool EscribirImagenRGB(const QString& ruta, FREE_IMAGE_FORMAT fif, int w, int h, int bits,
                       const PixelRGB& pixel, const QByteArray& icc) {
    std::unique_ptr<FIBITMAP, Descarga> bitmap(bits == 16 ? FreeImage_AllocateT(FIT_RGB16, w, h)
                                                          : FreeImage_Allocate(w, h, 24));
    if (!bitmap)
        return false;
    for (int y = 0; y < h; ++y) {
        BYTE* linea = FreeImage_GetScanLine(bitmap.get(), h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const std::array<int, 3> rgb = pixel(x, y);
            if (bits == 16) {
                auto* p = reinterpret_cast<FIRGB16*>(linea) + x;
                p->red = WORD(rgb[0]);
                p->green = WORD(rgb[1]);
                p->blue = WORD(rgb[2]);
            } else {
                linea[3 * x + FI_RGBA_RED] = BYTE(rgb[0]);
                linea[3 * x + FI_RGBA_GREEN] = BYTE(rgb[1]);
                linea[3 * x + FI_RGBA_BLUE] = BYTE(rgb[2]);
            }
        }
    }
    if (!icc.isEmpty()) {
        QByteArray copia = icc;
        FreeImage_CreateICCProfile(bitmap.get(), copia.data(), long(copia.size()));
    }
    return FreeImage_Save(fif, bitmap.get(), QFile::encodeName(ruta).constData(), 0);
}

bool EscribirGris16(const QString& ruta, FREE_IMAGE_FORMAT fif, int w, int h,
                    const PixelRGB& pixel) {
    std::unique_ptr<FIBITMAP, Descarga> bitmap(FreeImage_AllocateT(FIT_UINT16, w, h));
    if (!bitmap)
        return false;
    for (int y = 0; y < h; ++y) {
        auto* linea = reinterpret_cast<WORD*>(FreeImage_GetScanLine(bitmap.get(), h - 1 - y));
        for (int x = 0; x < w; ++x)
            linea[x] = WORD(pixel(x, y)[0]);
    }
    return FreeImage_Save(fif, bitmap.get(), QFile::encodeName(ruta).constData(), 0);
}

QByteArray LeerBytes(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool EscribirBytes(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray PngConCabecera(quint32 w, quint32 h, const QByteArray& icc) {
    // 8 bits per sample, RGB, then compression, filter and interlace 0.
    QByteArray png = QByteArray("\x89PNG\r\n\x1a\n") +
                     TrozoPng("IHDR", BE(w) + BE(h) + "\x08\x02" + QByteArray(3, '\0'));
    // Profile name, its terminator, compression method 0, then the zlib stream (qCompress
    // puts a 4-byte length in front of it).
    if (!icc.isEmpty())
        png += TrozoPng("iCCP", QByteArray("perfil\0\0", 8) + qCompress(icc).mid(4));
    return png + TrozoPng("IDAT", QByteArray(16, '\x55')) + TrozoPng("IEND", QByteArray());
}

QByteArray PerfilSRGB() {
    return LeerBytes(QStringLiteral("/usr/share/color/argyll/ref/sRGB.icm"));
}

#include "imagefixtures.h"

#include <QFile>
#include <QtEndian>

#include <memory>

namespace {

struct Descarga {
    void operator()(FIBITMAP* b) const { FreeImage_Unload(b); }
};

quint32 Crc32(const QByteArray& datos) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : datos) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void AnadirBE(QByteArray& destino, quint32 valor) {
    const quint32 be = qToBigEndian(valor);
    destino.append(reinterpret_cast<const char*>(&be), 4);
}

void AnadirLE32(QByteArray& destino, quint32 valor) {
    const quint32 le = qToLittleEndian(valor);
    destino.append(reinterpret_cast<const char*>(&le), 4);
}

void AnadirLE16(QByteArray& destino, quint16 valor) {
    const quint16 le = qToLittleEndian(valor);
    destino.append(reinterpret_cast<const char*>(&le), 2);
}

void AnadirTrozoPng(QByteArray& png, const char* tipo, const QByteArray& datos) {
    AnadirBE(png, quint32(datos.size()));
    const QByteArray cuerpo = QByteArray(tipo, 4) + datos;
    png.append(cuerpo);
    AnadirBE(png, Crc32(cuerpo));
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
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray ihdr;
    AnadirBE(ihdr, w);
    AnadirBE(ihdr, h);
    ihdr.append(char(8)); // bit depth
    ihdr.append(char(2)); // colour type RGB
    ihdr.append(3, '\0'); // compression, filter, interlace
    AnadirTrozoPng(png, "IHDR", ihdr);
    if (!icc.isEmpty()) {
        // Profile name, its terminator, compression method 0, then the zlib stream
        // (qCompress puts a 4-byte length in front of it).
        QByteArray iccp("perfil");
        iccp.append(char(0)).append(char(0)).append(qCompress(icc).mid(4));
        AnadirTrozoPng(png, "iCCP", iccp);
    }
    AnadirTrozoPng(png, "IDAT", QByteArray(16, '\x55'));
    AnadirTrozoPng(png, "IEND", QByteArray());
    return png;
}

QByteArray BmpConCabecera(qint32 w, qint32 h) {
    QByteArray bmp("BM");
    AnadirLE32(bmp, 54 + 64);
    AnadirLE32(bmp, 0);
    AnadirLE32(bmp, 54);
    AnadirLE32(bmp, 40);
    AnadirLE32(bmp, quint32(w));
    AnadirLE32(bmp, quint32(h));
    AnadirLE16(bmp, 1);
    AnadirLE16(bmp, 24);
    for (int k = 0; k < 6; ++k)
        AnadirLE32(bmp, 0);
    bmp.append(64, '\x10');
    return bmp;
}

QByteArray PerfilSRGB() {
    return LeerBytes(QStringLiteral("/usr/share/color/argyll/ref/sRGB.icm"));
}

#include "image/pngiccp.h"

#include <QFile>
#include <QtEndian>

#include <zlib.h>

namespace {

constexpr qint64 kMaxComprimido = 16 * 1024 * 1024;
constexpr qint64 kMaxPerfil = 64 * 1024 * 1024;

QByteArray Inflar(const QByteArray& comprimido) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return QByteArray();
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(comprimido.constData()));
    z.avail_in = uInt(comprimido.size());
    QByteArray salida;
    char trozo[65536];
    int estado = Z_OK;
    while (estado == Z_OK && salida.size() <= kMaxPerfil) {
        z.next_out = reinterpret_cast<Bytef*>(trozo);
        z.avail_out = sizeof trozo;
        estado = inflate(&z, Z_NO_FLUSH);
        salida.append(trozo, qsizetype(sizeof trozo - z.avail_out));
        if (estado == Z_OK && z.avail_in == 0 && z.avail_out != 0)
            break; // input used up before the stream's end
    }
    inflateEnd(&z);
    return estado == Z_STREAM_END && salida.size() <= kMaxPerfil ? salida : QByteArray();
}

// Profile name (1 to 79 bytes), its zero, compression method 0, then the zlib stream.
QByteArray PerfilDeTrozo(const QByteArray& datos) {
    const qsizetype cero = datos.indexOf('\0');
    if (cero < 1 || cero > 79 || cero + 1 >= datos.size() || datos[cero + 1] != '\0')
        return QByteArray();
    return Inflar(datos.mid(cero + 2));
}

} // namespace

QByteArray LeerPerfilPng(const QString& ruta) {
    QFile fichero(ruta);
    if (!fichero.open(QIODevice::ReadOnly) || fichero.read(8) != "\x89PNG\r\n\x1a\n")
        return QByteArray();
    for (;;) {
        const QByteArray cabecera = fichero.read(8);
        if (cabecera.size() != 8)
            return QByteArray();
        const quint32 longitud = qFromBigEndian<quint32>(cabecera.constData());
        const QByteArray tipo = cabecera.mid(4);
        if (longitud > 0x7FFFFFFFu || tipo == "IDAT" || tipo == "IEND")
            return QByteArray();
        if (tipo != "iCCP") {
            if (!fichero.seek(fichero.pos() + qint64(longitud) + 4))
                return QByteArray();
            continue;
        }
        if (longitud > kMaxComprimido)
            return QByteArray();
        const QByteArray datos = fichero.read(longitud);
        const QByteArray crc = fichero.read(4);
        if (datos.size() != qsizetype(longitud) || crc.size() != 4)
            return QByteArray();
        const QByteArray cubierto = tipo + datos;
        const uLong calculado =
            crc32(0L, reinterpret_cast<const Bytef*>(cubierto.constData()), uInt(cubierto.size()));
        if (calculado != qFromBigEndian<quint32>(crc.constData()))
            return QByteArray();
        return PerfilDeTrozo(datos);
    }
}

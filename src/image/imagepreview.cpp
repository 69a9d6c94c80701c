#include "image/imagepreview.h"

#include "image/bufferrgb.h"
#include "image/freeimagelite.h"
#include "image/imagememory.h"
#include "image/temporarybmp.h"
#include "shell/appfolders.h"
#include "shell/workfolders.h"

#include <QDateTime>
#include <QFile>
#include <QtEndian>

#include <array>
#include <cmath>
#include <vector>

namespace {

QString& DetalleCarga() {
    static thread_local QString detalle; // per thread, as FI_UltimoError
    return detalle;
}

bool& CargaSinMemoria() {
    static thread_local bool sinMemoria = false;
    return sinMemoria;
}

constexpr int kCabeceraBMP = 54;

template <typename T> void Anadir(QByteArray& destino, T valor) {
    const T le = qToLittleEndian(valor);
    destino.append(reinterpret_cast<const char*>(&le), sizeof le);
}

QByteArray CabeceraBMP(int w, int h, quint32 stride) {
    const quint32 tamanoImagen = stride * quint32(h);
    QByteArray cabecera;
    cabecera.reserve(kCabeceraBMP);
    cabecera.append("BM");
    Anadir<quint32>(cabecera, tamanoImagen + kCabeceraBMP);
    Anadir<quint16>(cabecera, 0);
    Anadir<quint16>(cabecera, 0);
    Anadir<quint32>(cabecera, kCabeceraBMP);
    Anadir<quint32>(cabecera, 40);
    Anadir<qint32>(cabecera, w);
    Anadir<qint32>(cabecera, h); // positive: rows stored bottom-up
    Anadir<quint16>(cabecera, 1);
    Anadir<quint16>(cabecera, 24);
    Anadir<quint32>(cabecera, 0);
    Anadir<quint32>(cabecera, tamanoImagen);
    Anadir<qint32>(cabecera, 2835);
    Anadir<qint32>(cabecera, 2835);
    Anadir<quint32>(cabecera, 0);
    Anadir<quint32>(cabecera, 0);
    return cabecera;
}

// ByteDeValor of every sample value, so each byte is exactly the one the formula gives.
const std::vector<quint8>& TablaBytes(int bits) {
    static const auto construir = [](int maximo) {
        std::vector<quint8> tabla(std::size_t(maximo) + 1);
        for (int s = 0; s <= maximo; ++s)
            tabla[std::size_t(s)] = quint8(ByteDeValor(s / double(maximo)));
        return tabla;
    };
    static const std::vector<quint8> tabla8 = construir(255);
    static const std::vector<quint8> tabla16 = construir(65535);
    return bits == 16 ? tabla16 : tabla8;
}

template <typename Muestra>
void LlenarFila(const Muestra* origen, int w, const std::vector<quint8>& tabla, char* fila) {
    for (int x = 0; x < w; ++x) {
        fila[3 * x] = char(tabla[origen[3 * x + 2]]);
        fila[3 * x + 1] = char(tabla[origen[3 * x + 1]]);
        fila[3 * x + 2] = char(tabla[origen[3 * x]]);
    }
}

bool EscribirPixeles(QFile& fichero, const BufferRGB& buffer, quint32 stride) {
    const int w = buffer.ancho();
    const std::vector<quint8>& tabla = TablaBytes(buffer.bitsPorMuestra());
    QByteArray fila(qsizetype(stride), '\0'); // padding stays 0
    for (int y = buffer.alto() - 1; y >= 0; --y) {
        if (buffer.bitsPorMuestra() == 16)
            LlenarFila(buffer.fila16(y), w, tabla, fila.data());
        else
            LlenarFila(buffer.fila8(y), w, tabla, fila.data());
        if (fichero.write(fila) != fila.size())
            return false;
    }
    return true;
}

// Reads back the BMP that EscribirBMPTemporal wrote (24-bit, uncompressed, bottom-up) into
// an RGB32 picture whose memory is taken for a whole image at once. Null with a reason on
// failure; sinMemoria tells when that memory could not be had.
QImage LeerBMPTemporal(const QString& ruta, QString& error, bool& sinMemoria) {
    QFile fichero(ruta);
    if (!fichero.open(QIODevice::ReadOnly)) {
        error = fichero.errorString();
        return QImage();
    }
    const QByteArray cabecera = fichero.read(kCabeceraBMP);
    const auto le32 = [&cabecera](int p) {
        return qFromLittleEndian<qint32>(cabecera.constData() + p);
    };
    const auto le16 = [&cabecera](int p) {
        return qFromLittleEndian<quint16>(cabecera.constData() + p);
    };
    if (cabecera.size() != kCabeceraBMP || !cabecera.startsWith("BM") || le32(10) != kCabeceraBMP ||
        le16(28) != 24 || le32(30) != 0 || le32(18) < 1 || le32(22) < 1) {
        error = QStringLiteral("cabecera BMP no valida");
        return QImage();
    }
    const int w = le32(18);
    const int h = le32(22);
    const qsizetype stride = (3 * qsizetype(w) + 3) & ~qsizetype(3);
    const qsizetype bytesLinea = 4 * qsizetype(w);
    void* memoria = ReservarMemoriaImagen(std::size_t(bytesLinea) * std::size_t(h));
    if (!memoria) {
        error = QLatin1String(kTextoSinMemoria);
        sinMemoria = true;
        return QImage();
    }
    QImage imagen(static_cast<uchar*>(memoria), w, h, bytesLinea, QImage::Format_RGB32,
                  LiberarMemoriaImagen, memoria);
    QByteArray fila(stride, Qt::Uninitialized);
    for (int y = h - 1; y >= 0; --y) {
        if (fichero.read(fila.data(), stride) != stride) {
            error = QStringLiteral("BMP incompleto");
            return QImage();
        }
        const auto* bgr = reinterpret_cast<const uchar*>(fila.constData());
        auto* destino = reinterpret_cast<QRgb*>(imagen.scanLine(y));
        for (int x = 0; x < w; ++x)
            destino[x] = qRgb(bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]);
    }
    return imagen;
}

} // namespace

int ByteDeValor(double v) {
    if (!(v >= 0.0))
        return -1;
    return int(std::min(v * 255.0 + 0.5, 255.0));
}

QString EscribirBMPTemporal(const BufferRGB& buffer) {
    const QString ruta = RutaBmpTemporal(QStringLiteral("chromaflux_prev_"));
    if (ruta.isEmpty())
        return QString();
    const quint32 stride = (3u * quint32(buffer.ancho()) + 3u) & ~3u;

    QFile fichero(ruta);
    // NewOnly: never write through a file or link that someone else put under this name.
    if (!fichero.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return QString();
    const QByteArray cabecera = CabeceraBMP(buffer.ancho(), buffer.alto(), stride);
    const bool escrito = fichero.write(cabecera) == cabecera.size() &&
                         EscribirPixeles(fichero, buffer, stride) && fichero.flush();
    fichero.close();
    if (!escrito || fichero.error() != QFileDevice::NoError) {
        fichero.remove();
        return QString();
    }
    return ruta;
}

QString UltimoDetalleCarga() {
    return DetalleCarga();
}

bool UltimaCargaSinMemoria() {
    return CargaSinMemoria();
}

QImage CargarImagenFI(const QString& ruta, int& w, int& h) {
    DetalleCarga().clear();
    CargaSinMemoria() = false;
    w = 0;
    h = 0;
    LogDepuracionTIF(QStringLiteral("CargarImagenFI: ruta=") + ruta);

    QString temporal;
    {
        BufferRGB buffer;
        int bits = 0;
        if (!FI_CargarRGB(ruta, w, h, bits, buffer)) {
            DetalleCarga() = FI_UltimoError();
            CargaSinMemoria() = FI_SinMemoria();
            LogDepuracionTIF(QStringLiteral("FI_CargarRGB fallo: ") + DetalleCarga());
            w = h = 0;
            return QImage();
        }
        LogDepuracionTIF(QStringLiteral("FI_CargarRGB ok: %1x%2 %3bps").arg(w).arg(h).arg(bits));
        temporal = EscribirBMPTemporal(buffer);
    } // the buffer goes before the picture is loaded
    if (temporal.isEmpty()) {
        DetalleCarga() = QStringLiteral("No se pudo escribir BMP temporal");
        LogDepuracionTIF(DetalleCarga());
        w = h = 0;
        return QImage();
    }
    LogDepuracionTIF(QStringLiteral("BMP temporal: ") + temporal);

    QString error;
    const QImage imagen = LeerBMPTemporal(temporal, error, CargaSinMemoria());
    if (imagen.isNull()) {
        DetalleCarga() = QStringLiteral("LoadPicture fallo: ") + error;
        LogDepuracionTIF(DetalleCarga());
    } else {
        LogDepuracionTIF(QStringLiteral("LoadPicture ok"));
    }
    QFile::remove(temporal);
    return imagen;
}

namespace {

constexpr qint64 kMaxLogDepuracion = 256 * 1024;

} // namespace

void LogDepuracionTIF(const QString& mensaje) {
    if (Carpetas().tmpFolder.isEmpty())
        return; // folders not set up yet: no place for the log
    QFile log(RutaTmp(Carpetas().tmpFolder, QStringLiteral("chromaflux_tif_debug.log")));
    // Bounded: started afresh once it passes its size, so it never grows without end.
    const bool lleno = log.size() > kMaxLogDepuracion;
    if (!log.open(QIODevice::WriteOnly | (lleno ? QIODevice::Truncate : QIODevice::Append)))
        return;
    const QString linea =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
        QStringLiteral(" | ") + mensaje + QLatin1Char('\n');
    log.write(linea.toUtf8());
}

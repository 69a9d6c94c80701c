#include "image/imagepreview.h"

#include "image/bufferrgb.h"
#include "image/freeimagelite.h"
#include "image/imagememory.h"
#include "shell/appfolders.h"
#include "shell/workfolders.h"

#include <QDateTime>
#include <QFile>

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
void LlenarFila(const Muestra* origen, int w, const std::vector<quint8>& tabla, QRgb* fila) {
    for (int x = 0; x < w; ++x)
        fila[x] = qRgb(tabla[origen[3 * x]], tabla[origen[3 * x + 1]], tabla[origen[3 * x + 2]]);
}

// The buffer as an RGB32 picture whose memory is taken for a whole image at once; null when that
// memory cannot be had.
QImage ImagenDeBuffer(const BufferRGB& buffer) {
    const int w = buffer.ancho();
    const int h = buffer.alto();
    const qsizetype bytesLinea = 4 * qsizetype(w);
    void* memoria = ReservarMemoriaImagen(std::size_t(bytesLinea) * std::size_t(h));
    if (!memoria)
        return QImage();
    QImage imagen(static_cast<uchar*>(memoria), w, h, bytesLinea, QImage::Format_RGB32,
                  LiberarMemoriaImagen, memoria);
    const std::vector<quint8>& tabla = TablaBytes(buffer.bitsPorMuestra());
    for (int y = 0; y < h; ++y) {
        auto* destino = reinterpret_cast<QRgb*>(imagen.scanLine(y));
        if (buffer.bitsPorMuestra() == 16)
            LlenarFila(buffer.fila16(y), w, tabla, destino);
        else
            LlenarFila(buffer.fila8(y), w, tabla, destino);
    }
    return imagen;
}

} // namespace

int ByteDeValor(double v) {
    if (!(v >= 0.0))
        return -1;
    return int(std::min(v * 255.0 + 0.5, 255.0));
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
    QImage imagen = ImagenDeBuffer(buffer);
    if (imagen.isNull()) {
        DetalleCarga() = QLatin1String(kTextoSinMemoria);
        CargaSinMemoria() = true;
        LogDepuracionTIF(QStringLiteral("Imagen RGB32 fallo: ") + DetalleCarga());
        w = h = 0;
        return QImage();
    }
    LogDepuracionTIF(QStringLiteral("Imagen RGB32 ok"));
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

// Times the chart inspector's histogram of a large image and measures the memory it takes
// beyond the decoded image. Without arguments it writes 6000 x 4000 test TIFFs to a temporary
// folder and measures each in a fresh process:
//     histogram_timing                 all of them, checked against the limits (exit 1 if over)
//     histogram_timing --measure FILE  one file (what the parent runs)
// Both wall-clock and processor time are shown: on a busy machine only the second tells what
// the work costs (it is single-threaded, so on an idle machine the two agree).

#include "image/bitmapfi.h"
#include "image/histogram.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kAncho = 6000;
constexpr int kAlto = 4000;
constexpr double kLimiteSegundos = 1.0;
// What the allocator and the decoder's own strip buffer may add beyond the image and a row.
constexpr long kHolguraKB = 1024;

// The peak resident size of this process image. Not getrusage: its maximum survives exec, so
// a child would report the parent's peak from writing the test image.
long PicoMemoriaKB() {
    QFile estado(QStringLiteral("/proc/self/status"));
    if (!estado.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& linea : estado.readAll().split('\n'))
        if (linea.startsWith("VmHWM:"))
            return linea.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

double SegundosProcesador() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

// Chart-like patches with noise in every channel, written with the given TIFF flags.
bool EscribirTIFF(const QString& ruta, int bits, int flags) {
    const BitmapFI bitmap(bits == 16 ? FreeImage_AllocateT(FIT_RGB16, kAncho, kAlto)
                                     : FreeImage_Allocate(kAncho, kAlto, 24));
    if (!bitmap)
        return false;
    const int maximo = bits == 16 ? 65535 : 255;
    for (int y = 0; y < kAlto; ++y) {
        BYTE* linea = FreeImage_GetScanLine(bitmap.get(), y);
        for (int x = 0; x < kAncho; ++x) {
            const int parche = (x / 500) + 12 * (y / 500);
            const int ruido = int((unsigned(x) * 2654435761u ^ unsigned(y) * 40503u) % 97) - 48;
            for (int c = 0; c < 3; ++c) {
                const int base = ((parche * (37 + 34 * c)) % 220 + 20) * maximo / 255;
                const int v = std::clamp(base + ruido * maximo / 2550, 0, maximo);
                if (bits == 16)
                    reinterpret_cast<WORD*>(linea)[3 * x + c] = WORD(v);
                else
                    linea[3 * x + c] = BYTE(v);
            }
        }
    }
    return FreeImage_Save(FIF_TIFF, bitmap.get(), QFile::encodeName(ruta).constData(), flags);
}

int Medir(const QString& ruta) {
    // The decoded image's size, from the header alone.
    const ImagenFI cabecera = AbrirImagenFI(ruta, true);
    if (cabecera.resultado != AperturaFI::Ok)
        return 2;
    const long pitch = long(FreeImage_GetPitch(cabecera.bitmap.get()));
    const long imagenKB = pitch * long(cabecera.altoCabecera) / 1024;
    const long filaKB = pitch / 1024 + 1;

    const long antes = PicoMemoriaKB();
    const double procesadorAntes = SegundosProcesador();
    QElapsedTimer reloj;
    reloj.start();
    Histograma histograma;
    const bool leido = CalcularHistograma(ruta, histograma);
    const double segundos = reloj.nsecsElapsed() / 1e9;
    const double procesador = SegundosProcesador() - procesadorAntes;
    const long crecimiento = PicoMemoriaKB() - antes;
    std::printf("%.3f %.3f %ld %ld %ld %d\n", segundos, procesador, crecimiento, imagenKB, filaKB,
                leido && histograma.maximo > 0 ? 1 : 0);
    return leido ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--measure")
        return Medir(QString::fromLocal8Bit(argv[2]));

    QTemporaryDir dir;
    struct Caso {
        const char* nombre;
        int bits;
        int flags;
        bool conLimite; // false: shown for comparison only
    };
    // Scanners write uncompressed TIFFs; LZW shows what the decoder alone costs.
    const Caso casos[] = {{"16-bit TIFF", 16, TIFF_NONE, true},
                          {"8-bit TIFF", 8, TIFF_NONE, true},
                          {"16-bit TIFF, LZW", 16, TIFF_LZW, false}};
    bool dentro = true;
    std::printf("6000 x 4000 pixels\n%-18s %8s %8s %11s %11s %7s\n", "image", "wall s", "cpu s",
                "growth MB", "decoded MB", "row KB");
    for (const Caso& caso : casos) {
        const QString ruta = dir.filePath(QStringLiteral("chart.tif"));
        if (!EscribirTIFF(ruta, caso.bits, caso.flags)) {
            std::printf("%-18s could not be written\n", caso.nombre);
            return 2;
        }
        QProcess hijo;
        hijo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        hijo.start(QCoreApplication::applicationFilePath(), {"--measure", ruta});
        hijo.waitForFinished(120000);
        const QList<QByteArray> campos = hijo.readAllStandardOutput().trimmed().split(' ');
        QFile::remove(ruta);
        if (hijo.exitCode() != 0 || campos.size() != 6 || campos[5] != "1") {
            std::printf("%-18s no histogram\n", caso.nombre);
            dentro = false;
            continue;
        }
        const double segundos = campos[0].toDouble();
        const double procesador = campos[1].toDouble();
        const long crecimientoKB = campos[2].toLong();
        const long imagenKB = campos[3].toLong();
        const long filaKB = campos[4].toLong();
        const bool memoria = crecimientoKB <= imagenKB + filaKB + kHolguraKB;
        const bool tiempo = procesador < kLimiteSegundos;
        const char* veredicto = !memoria          ? "OVER (memory)"
                                : !caso.conLimite ? "(comparison)"
                                : tiempo          ? "ok"
                                                  : "OVER (time)";
        std::printf("%-18s %8.3f %8.3f %11.1f %11.1f %7ld  %s\n", caso.nombre, segundos, procesador,
                    crecimientoKB / 1024.0, imagenKB / 1024.0, filaKB, veredicto);
        dentro = dentro && memoria && (tiempo || !caso.conLimite);
    }
    std::printf("limits: under %.1f s of processor time; growth at most the decoded image, a row "
                "and %ld KB\n",
                kLimiteSegundos, kHolguraKB);
    return dentro ? 0 : 1;
}

// Times choosing a large chart image in the main window, up to its preview in picPreview, and
// the peak memory of doing so. Without arguments it writes 6000 x 4000 test images (8-bit JPEG,
// 8-bit TIFF, 16-bit TIFF) to a temporary folder and measures each in a fresh process:
//     preview_timing                 all three, checked against the limits (exit 1 if over)
//     preview_timing --measure FILE  one file (what the parent runs)

#include "image/targetimage.h"
#include "portablefolders.h"
#include "shell/appfolders.h"
#include "shell/frmmain.h"

#include "scripteddialogs.h"

#include <FreeImage.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <random>
#include <time.h>

namespace {

constexpr int kAncho = 6000;
constexpr int kAlto = 4000;

// Processor time of the whole process (all threads), which a busy machine does not inflate.
double SegundosCpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

// Peak resident memory of this program since it started (VmHWM; unlike getrusage it does not
// carry over the parent's memory from before exec).
long PicoMemoriaKB() {
    QFile estado(QStringLiteral("/proc/self/status"));
    if (!estado.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& linea : estado.readAll().split('\n')) {
        if (linea.startsWith("VmHWM:"))
            return linea.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// A chart-like picture: coloured patches with sensor-like noise, so the codecs have real work.
bool EscribirImagen(const QString& ruta, FREE_IMAGE_FORMAT fif, int bits) {
    struct Descarga {
        void operator()(FIBITMAP* b) const { FreeImage_Unload(b); }
    };
    const std::unique_ptr<FIBITMAP, Descarga> bitmap(
        bits == 16 ? FreeImage_AllocateT(FIT_RGB16, kAncho, kAlto)
                   : FreeImage_Allocate(kAncho, kAlto, 24));
    if (!bitmap)
        return false;
    std::mt19937 azar(7);
    std::uniform_int_distribution<int> ruido(-6, 6);
    for (int y = 0; y < kAlto; ++y) {
        BYTE* linea = FreeImage_GetScanLine(bitmap.get(), y);
        for (int x = 0; x < kAncho; ++x) {
            const int parche = (x / 500) + 12 * (y / 500);
            const int base[3] = {(parche * 37) % 220 + 20, (parche * 71) % 220 + 20,
                                 (parche * 113) % 220 + 20};
            for (int c = 0; c < 3; ++c) {
                const int v = std::clamp(base[c] + ruido(azar), 0, 255);
                if (bits == 16)
                    reinterpret_cast<WORD*>(linea)[3 * x + c] = WORD(v * 257 + ruido(azar));
                else
                    linea[3 * x + (c == 0   ? FI_RGBA_RED
                                   : c == 1 ? FI_RGBA_GREEN
                                            : FI_RGBA_BLUE)] = BYTE(v);
            }
        }
    }
    return FreeImage_Save(fif, bitmap.get(), QFile::encodeName(ruta).constData(),
                          fif == FIF_JPEG ? JPEG_QUALITYGOOD : 0);
}

int Medir(int argc, char** argv, const QString& ruta) {
    QApplication app(argc, argv);
    QTemporaryDir programa;
    EstablecerCarpetas(PortableFolders(programa.path()));
    frmMain main;
    main.resize(1200, 900);
    main.show();
    QApplication::processEvents();
    TargetImage& objetivo = *main.findChild<TargetImage*>();
    ScriptedDialogs dialogos;
    dialogos.answerOpen(ruta);
    const long base = PicoMemoriaKB();
    QElapsedTimer reloj;
    const double cpu = SegundosCpu();
    reloj.start();
    objetivo.cmdLoadImage_Click();
    const double segundos = reloj.nsecsElapsed() / 1e9;
    const double segundosCpu = SegundosCpu() - cpu;
    const bool mostrada =
        !main.findChild<QLabel*>("picPreview")->pixmap().isNull() && objetivo.anchoDibujo() > 0;
    std::printf("%.3f %.3f %ld %ld %d\n", segundos, segundosCpu, PicoMemoriaKB(), base,
                mostrada ? 1 : 0);
    return mostrada ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && QByteArray(argv[1]) == "--measure") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return Medir(argc, argv, QString::fromLocal8Bit(argv[2]));
    }
    QTemporaryDir dir;
    struct Caso {
        const char* nombre;
        const char* fichero;
        FREE_IMAGE_FORMAT fif;
        int bits;
        double limiteS;
        long limiteMB;
    };
    const Caso casos[] = {{"6000x4000 8-bit JPEG", "chart.jpg", FIF_JPEG, 8, 1.0, 400},
                          {"6000x4000 8-bit TIFF", "chart8.tif", FIF_TIFF, 8, 1.0, 400},
                          {"6000x4000 16-bit TIFF", "chart16.tif", FIF_TIFF, 16, 1.5, 600}};
    bool dentro = true;
    std::printf("%-24s %10s %8s %14s %12s\n", "image", "preview s", "cpu s", "peak RSS MB",
                "before MB");
    for (const Caso& caso : casos) {
        const QString ruta = dir.filePath(caso.fichero);
        if (!EscribirImagen(ruta, caso.fif, caso.bits)) {
            std::printf("%-24s could not be written\n", caso.nombre);
            return 2;
        }
        QProcess hijo;
        hijo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        hijo.start(QString::fromLocal8Bit(argv[0]), {"--measure", ruta});
        hijo.waitForFinished(120000);
        const QList<QByteArray> campos = hijo.readAllStandardOutput().trimmed().split(' ');
        if (hijo.exitCode() != 0 || campos.size() != 5) {
            std::printf("%-24s no preview\n", caso.nombre);
            dentro = false;
            continue;
        }
        const double segundos = campos[0].toDouble();
        const double cpu = campos[1].toDouble();
        const long picoMB = campos[2].toLong() / 1024;
        const bool bien = segundos < caso.limiteS && picoMB < caso.limiteMB;
        std::printf("%-24s %10.3f %8.3f %14ld %12ld  %s (limits %.1f s, %ld MB)\n", caso.nombre,
                    segundos, cpu, picoMB, campos[3].toLong() / 1024, bien ? "ok" : "OVER",
                    caso.limiteS, caso.limiteMB);
        dentro = dentro && bien;
        QFile::remove(ruta);
    }
    return dentro ? 0 : 1;
}

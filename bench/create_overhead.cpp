// Create on a 24-megapixel JPEG with default options, side by side with the same steps done
// by hand (the JPEG converted to a TIFF, then scanin with its diagnostic image, colprof and
// profcheck), rounds interleaved. Exits 1 when Create takes more than 1.1 times the steps by
// hand.

#include "chartrenderer.h"
#include "image/freeimagelite.h"
#include "image/previewdrawing.h"
#include "profile/createpipeline.h"
#include "profile/createvalidation.h"
#include "profile/creationfrontend.h"
#include "shell/activitylog.h"
#include "shell/appfolders.h"
#include "shell/toolrunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

class QuietLog : public ActivityLog {
public:
    void LogMsg(const QString&) override {}
    void AgregarSalidaLog(const QString&) override {}
    void MostrarEstado(const QString&) override {}
};

class YesFrontEnd : public InterlocutorCreacion {
public:
    void Avisar(const QString&) override {}
    void RegistrarResultados(const ResultadoCreacion&) override {}
    void MostrarResumenResultados(const ResultadoCreacion&) override {}
    void AvisarLecturaSospechosa(const ResultadoCreacion&) override {}
    void MostrarDiagnosticoFallido(const QString&) override {}
    void AbrirVerificacionAuto(const ResultadoCreacion&) override {}
    bool PreguntarBorrarCarpeta(const QString&) override { return true; }
};

double Mediana(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString ref = QStringLiteral("/usr/share/color/argyll/ref/");
    const QString jpeg = dir.filePath(QStringLiteral("capture.jpg"));
    chartrender::RenderOptions options;
    options.chtFile = ref + QStringLiteral("ColorChecker.cht");
    options.referenceFile = ref + QStringLiteral("ColorChecker.cie");
    options.width = 6000;
    chartrender::RenderInfo info;
    QString error;
    if (!chartrender::renderChart(options, jpeg, &error, &info)) {
        std::fprintf(stderr, "render failed: %s\n", qPrintable(error));
        return 2;
    }
    std::printf("capture %dx%d JPEG, %.1f MB\n", info.imageSize.width(), info.imageSize.height(),
                QFile(jpeg).size() / 1e6);

    const AppFolders folders = AppFolders::forProgram(dir.path());
    EntradaCreacion in;
    in.imagen = jpeg;
    in.tipoReferencia = EntradaCreacion::Generica;
    in.referenciaGenerica = options.referenceFile;
    in.carta = options.chtFile;
    in.ficheroCarta = QStringLiteral("ColorChecker.cht");
    in.gamma = QStringLiteral("2.2");
    in.puntoBlanco = QStringLiteral("1.0");
    in.sombras = QStringLiteral("1.0");
    in.calidad = 2;
    in.algoritmo = 2;
    in.intento = 0;
    in.carpetaPrograma = dir.path();
    in.carpetaTmp = dir.filePath(QStringLiteral("tmp"));
    in.scanin = folders.toolPath(QStringLiteral("scanin"));
    in.colprof = folders.toolPath(QStringLiteral("colprof"));
    in.profcheck = folders.toolPath(QStringLiteral("profcheck"));
    in.destino = dir.filePath(QStringLiteral("profile.icc"));

    const QString work = dir.filePath(QStringLiteral("by-hand"));
    const QString tiff = work + QStringLiteral("/capture.tif");
    const QString base = work + QStringLiteral("/capture");
    QDir().mkpath(work);
    const auto tool = [&](const QString& program, const QStringList& arguments) {
        QString output;
        return EjecutarYLeerSalida({program, arguments, program}, work, output) == 0;
    };
    const auto byHand = [&] {
        return FI_ConvertirATIFFRGB(jpeg, tiff) &&
               tool(in.scanin, {QStringLiteral("-v"), QStringLiteral("-dihvgon"), tiff, in.carta,
                                in.referenciaGenerica, base + QStringLiteral("_diag.tif")}) &&
               tool(in.colprof, {QStringLiteral("-v"), QStringLiteral("-qh"), QStringLiteral("-ag"),
                                 QStringLiteral("-Zp"), base}) &&
               tool(in.profcheck, {QStringLiteral("-v2"), QStringLiteral("-Ir"),
                                   base + QStringLiteral(".ti3"), base + QStringLiteral(".icc")});
    };

    QList<double> hands;
    QList<double> creates;
    QuietLog log;
    YesFrontEnd frontEnd;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer clock;
        clock.start();
        if (!byHand()) {
            std::fprintf(stderr, "the steps by hand failed: %s\n", qPrintable(FI_UltimoError()));
            return 2;
        }
        hands << clock.elapsed() / 1000.0;
        for (const QString& file : QDir(work).entryList(QDir::Files))
            QFile::remove(work + QLatin1Char('/') + file);

        // What pressing Create does besides the dialogs: check, embedded profile, run.
        clock.restart();
        const ValidacionPerfil check = ValidarDatosPerfil(in);
        bool embedded = false;
        TieneICCIncrustado(in.imagen, embedded);
        const EjecucionCreacion run = CrearPerfil(in, check.referencia, log, frontEnd);
        creates << clock.elapsed() / 1000.0;
        if (!check.ok || run.fin != FinCreacion::Correcto) {
            std::fprintf(stderr, "profile run failed\n");
            return 2;
        }
        std::printf("round %d: by hand %.3f s, Create %.3f s (tools %.3f s)\n", round + 1,
                    hands.last(), creates.last(), run.msHerramientas / 1000.0);
    }
    const double hand = Mediana(hands);
    const double create = Mediana(creates);
    std::printf("median: by hand %.3f s, Create %.3f s = %.2f times (budget 1.1)\n", hand, create,
                create / hand);
    return create <= 1.1 * hand ? 0 : 1;
}

// Time a profile run spends outside scanin, colprof and profcheck on a large JPEG capture,
// against one JPEG to TIFF conversion measured in the same run. Exits 1 when the run's own
// work exceeds twice the conversion.

#include "chartrenderer.h"
#include "image/freeimagelite.h"
#include "image/gdipluspreview.h"
#include "profile/createpipeline.h"
#include "profile/createvalidation.h"
#include "profile/creationfrontend.h"
#include "shell/activitylog.h"
#include "shell/appfolders.h"

#include <QCoreApplication>
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

    QList<double> conversions;
    QList<double> overheads;
    QList<double> tools;
    QuietLog log;
    YesFrontEnd frontEnd;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer clock;
        const QString tiff = dir.filePath(QStringLiteral("conversion.tif"));
        clock.start();
        if (!FI_ConvertirATIFFRGB(jpeg, tiff)) {
            std::fprintf(stderr, "conversion failed: %s\n", qPrintable(FI_UltimoError()));
            return 2;
        }
        conversions << clock.elapsed() / 1000.0;
        QFile::remove(tiff);

        // What pressing Create does besides the dialogs: check, embedded profile, run.
        clock.restart();
        const ValidacionPerfil check = ValidarDatosPerfil(in);
        bool embedded = false;
        TieneICCIncrustado(in.imagen, embedded);
        const EjecucionCreacion run = CrearPerfil(in, check.referencia, log, frontEnd);
        const double total = clock.elapsed() / 1000.0;
        if (!check.ok || run.fin != FinCreacion::Correcto) {
            std::fprintf(stderr, "profile run failed\n");
            return 2;
        }
        tools << run.msHerramientas / 1000.0;
        overheads << total - run.msHerramientas / 1000.0;
        std::printf("round %d: conversion %.3f s, run %.3f s (tools %.3f s, own work %.3f s)\n",
                    round + 1, conversions.last(), total, tools.last(), overheads.last());
    }
    const double conversion = Mediana(conversions);
    const double overhead = Mediana(overheads);
    std::printf("median: conversion %.3f s, own work %.3f s = %.2f conversions (budget 2), "
                "tools %.3f s\n",
                conversion, overhead, overhead / conversion, Mediana(tools));
    return overhead <= 2 * conversion ? 0 : 1;
}

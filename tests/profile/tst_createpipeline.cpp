#include "chartrenderer.h"
#include "charts/chartdefinition.h"
#include "lang/texto.h"
#include "portablefolders.h"
#include "profile/autoverify.h"
#include "profile/chartlocator.h"
#include "profile/createpipeline.h"
#include "profile/creationfrontend.h"
#include "profile/fiducialmapping.h"
#include "profile/profilecommands.h"
#include "profile/readplausibility.h"
#include "profilefixtures.h"
#include "recordinglog.h"
#include "shell/appfolders.h"
#include "shell/toolrunner.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A front end that answers the work-folder question as told and records what it was given.
class FrontEnd : public InterlocutorCreacion {
public:
    bool borrarCarpeta = true;
    QStringList avisos;
    QList<ResultadoCreacion> registrados;
    int resumenes = 0;
    int verificaciones = 0;
    int sospechosas = 0;
    QStringList diagnosticos;
    QStringList preguntas;

    void Avisar(const QString& text) override { avisos << text; }
    void RegistrarResultados(const ResultadoCreacion& r) override { registrados << r; }
    void MostrarResumenResultados(const ResultadoCreacion&) override { ++resumenes; }
    void AvisarLecturaSospechosa(const ResultadoCreacion&) override { ++sospechosas; }
    void MostrarDiagnosticoFallido(const QString& diagnostico) override {
        diagnosticos << diagnostico;
    }
    void AbrirVerificacionAuto(const ResultadoCreacion&) override { ++verificaciones; }
    bool PreguntarBorrarCarpeta(const QString& folder) override {
        preguntas << folder;
        return borrarCarpeta;
    }
};

// Cancels the run as soon as a given log line starts.
class CancellingLog : public RecordingLog {
public:
    CancellingLog(CancelToken& token, const QString& prefix) : token_(token), prefix_(prefix) {}
    void LogMsg(const QString& text) override {
        RecordingLog::LogMsg(text);
        if (text.startsWith(prefix_)) {
            token_.cancel();
        }
    }

private:
    CancelToken& token_;
    QString prefix_;
};

QByteArray Contenido(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Escribir(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool Contiene(const QStringList& lines, const QString& start) {
    for (const QString& line : lines) {
        if (line.startsWith(start)) {
            return true;
        }
    }
    return false;
}

// Makes a folder refuse new entries and renames, also for root (chattr +i), else by mode.
bool BloquearCarpeta(const QString& folder, bool lock) {
    if (QProcess::execute(QStringLiteral("chattr"),
                          {lock ? QStringLiteral("+i") : QStringLiteral("-i"), folder}) == 0) {
        return true;
    }
    return QFile::setPermissions(folder,
                                 lock ? QFile::ReadOwner | QFile::ExeOwner
                                      : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

// The profile run with the real scanin, colprof and profcheck on rendered captures.
class TestCreatePipeline : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString capture_; // clean ColorChecker PNG
    chartrender::RenderInfo info_;

    EntradaCreacion Entrada(const QString& image, const QString& chart) {
        const AppFolders folders = PortableFolders(dir_.path());
        EntradaCreacion in;
        in.imagen = image;
        in.tipoReferencia = EntradaCreacion::Generica;
        in.referenciaGenerica = CarpetaRefArgyll() + chart + ".cie";
        in.carta = CarpetaRefArgyll() + chart + ".cht";
        in.ficheroCarta = chart + ".cht";
        in.gamma = "2.2";
        in.puntoBlanco = "1.0";
        in.sombras = "1.0";
        in.calidad = 2;
        in.algoritmo = 2;
        in.intento = 0;
        in.carpetaPrograma = dir_.path();
        in.carpetaTmp = dir_.filePath("tmp");
        in.scanin = folders.toolPath("scanin");
        in.colprof = folders.toolPath("colprof");
        in.profcheck = folders.toolPath("profcheck");
        in.destino = dir_.filePath("out/profile.icc");
        return in;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QVERIFY(QDir().mkpath(dir_.filePath("out")));
        capture_ = dir_.filePath("colorchecker.png");
        const QString error = RenderizarCarta("ColorChecker", capture_, false, 0, 1400, &info_);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    // Texts with quotes, shell characters and non-ASCII letters reach the profile tags as
    // typed; an empty copyright still lets colprof run; the white point is spelled for the
    // installed colprof.
    void textsReachTagsUnchanged() {
        EntradaCreacion in = Entrada(capture_, "ColorChecker");
        in.fabricante = "Acme \"Quoted\" ; $(touch /tmp/nc_pwned) `id`";
        in.modelo = "Cámara ñ €";
        in.descripcion = "-starts with a dash; 'single' & more";
        in.copyright = "";
        in.puntoBlanco = "1.3";
        in.guardarTi3JuntoPerfil = true;
        RecordingLog log;
        FrontEnd frontEnd;
        const EjecucionCreacion run = CrearPerfil(in, in.referenciaGenerica, log, frontEnd);
        QCOMPARE(run.fin, FinCreacion::Correcto);
        QVERIFY(!QFile::exists("/tmp/nc_pwned"));
        const EtiquetasIcc tags = LeerEtiquetasIcc(in.destino);
        QVERIFY(tags.ok);
        QCOMPARE(tags.fabricante, in.fabricante);
        QCOMPARE(tags.modelo, in.modelo);
        QCOMPARE(tags.descripcion, in.descripcion);
        QCOMPARE(tags.copyright, QString());
        QString colprofLine;
        for (const QString& line : log.lines) {
            if (line.startsWith("colprof: ")) {
                colprofLine = line;
            }
        }
        QVERIFY(colprofLine.contains(" -C\"\" "));
        QString usage;
        CommandLine bare{in.colprof, {}, in.colprof};
        EjecutarYLeerSalida(bare, dir_.path(), usage);
        const QString expected =
            usage.contains("Version 2.") ? QString(" -U 1.30 ") : QString(" -u 1.30 ");
        QVERIFY2(colprofLine.contains(expected), qPrintable(colprofLine));
        QCOMPARE(ParchesTi3(dir_.filePath("out/profile.ti3")), 24);
    }

    // Readings are judged against the reference before any profile is made: the clean
    // capture fits, the same readings one patch along do not; corners given in a turned order
    // are tried in all four turns and the fitting turn is kept.
    void readingsAreJudgedAndTurned() {
        EntradaCreacion in = Entrada(capture_, "ColorChecker");
        in.guardarTi3JuntoPerfil = true;
        RecordingLog log;
        FrontEnd frontEnd;
        EjecucionCreacion run = CrearPerfil(in, in.referenciaGenerica, log, frontEnd);
        QCOMPARE(run.fin, FinCreacion::Correcto);
        QVERIFY(run.lectura.plausible);
        QCOMPARE(run.lectura.metodo, MetodoLectura::Automatico);
        QVERIFY(run.resultado.avisoLectura.isEmpty());
        QVERIFY(run.resultado.media2000 && *run.resultado.media2000 < 3.0);

        QList<PatchReading> patches;
        QString error;
        QVERIFY(ReadTi3Patches(run.resultado.ti3, &patches, &error));
        QVERIFY(FitRead(patches).error < kMaxPlausibleFitError / 2);
        const QString shifted = dir_.filePath("out/shifted.ti3");
        QVERIFY(DesplazarTi3(run.resultado.ti3, shifted));
        QVERIFY(ReadTi3Patches(shifted, &patches, &error));
        QVERIFY(!PlausibleRead(FitRead(patches)));

        in.fiducialesManuales = ListaFiduciales(Giros(info_.fiducials)[2]);
        in.cartaAjusteManual = in.ficheroCarta;
        in.imagenAjusteManual = in.imagen;
        run = CrearPerfil(in, in.referenciaGenerica, log, frontEnd);
        QCOMPARE(run.fin, FinCreacion::Correcto);
        QVERIFY(run.lectura.plausible);
        QCOMPARE(run.lectura.metodo, MetodoLectura::Manual);
        QCOMPARE(run.lectura.intentos, 3);
        QCOMPARE(run.lectura.fiduciales, ListaFiduciales(info_.fiducials));
        QCOMPARE(frontEnd.sospechosas, 0);
    }

    // A chart the detector does not know, turned and at a slant, that scanin cannot find by
    // itself: its patch region, fitted to the patches found, reads it.
    void patchRegionReadsAChartAtASlant() {
        chartrender::RenderOptions options;
        options.chtFile = CarpetaRefArgyll() + "QPcard_201.cht";
        options.referenceFile = CarpetaRefArgyll() + "QPcard_201.cie";
        options.width = 2000;
        options.perspective = 0.5;
        options.rotationDeg = 160;
        const QString image = dir_.filePath("slanted.jpg");
        QString error;
        QVERIFY2(chartrender::renderChart(options, image, &error), qPrintable(error));
        EntradaCreacion in = Entrada(image, "QPcard_201");
        in.destino = dir_.filePath("out/slanted.icc");
        RecordingLog log;
        FrontEnd frontEnd;
        const EjecucionCreacion run = CrearPerfil(in, in.referenciaGenerica, log, frontEnd);
        QVERIFY2(run.fin == FinCreacion::Correcto, qPrintable(log.lines.join('\n')));
        QCOMPARE(run.lectura.metodo, MetodoLectura::Region);
        QVERIFY(run.lectura.ajuste.error < 2.0);
    }

    // The detector's block mapped through the chart definition lands on the rendered
    // fiducials, in the chart's own order first.
    void detectedChartGivesFiducials() {
        const QList<LocatedChart> found = LocateChart(capture_, true);
        QVERIFY(!found.isEmpty());
        QCOMPARE(found.first().kind, LocatedChart::Block);
        ChartDefinition chart;
        QString error;
        QVERIFY2(chart.load(CarpetaRefArgyll() + "/ColorChecker.cht", &error), qPrintable(error));
        const QList<Quad> sets = FiducialesDeCarta(chart, found.first());
        QCOMPARE(sets.size(), 4);
        for (std::size_t i = 0; i < 4; ++i) {
            const QPointF miss = sets.first()[i] - info_.fiducials[i];
            QVERIFY2(std::hypot(miss.x(), miss.y()) < 0.01 * info_.imageSize.width(),
                     qPrintable(ListaFiduciales(sets.first())));
        }
    }

    // Failed runs leave an older profile untouched and say so; a successful run replaces it.
    void olderProfileReplacedOnlyWhole() {
        const QByteArray old = "an older profile";
        EntradaCreacion in = Entrada(capture_, "QPcard_201"); // scanin cannot find that chart
        in.destino = dir_.filePath("out/keep.icc");
        QVERIFY(Escribir(in.destino, old));
        RecordingLog log;
        FrontEnd frontEnd;
        EjecucionCreacion run = CrearPerfil(in, in.referenciaGenerica, log, frontEnd);
        QCOMPARE(run.fin, FinCreacion::Fallido);
        QVERIFY(Contiene(log.lines, "scanin rc="));
        QCOMPARE(Contenido(in.destino), old);
        QVERIFY(frontEnd.preguntas.isEmpty());
        QVERIFY(frontEnd.registrados.isEmpty());

        // A folder that takes no new file is refused before any tool runs.
        const QString locked = dir_.filePath("locked");
        QVERIFY(QDir().mkpath(locked));
        in = Entrada(capture_, "ColorChecker");
        in.destino = locked + "/keep.icc";
        QVERIFY(Escribir(in.destino, old));
        QVERIFY(BloquearCarpeta(locked, true));
        RecordingLog lockedLog;
        run = CrearPerfil(in, in.referenciaGenerica, lockedLog, frontEnd);
        BloquearCarpeta(locked, false);
        QCOMPARE(run.fin, FinCreacion::Fallido);
        QCOMPARE(run.paso, PasoCreacion::Destino);
        QVERIFY(!run.rcScanin);
        QCOMPARE(run.motivo, Texto("dest.not_writable").arg(locked));
        QCOMPARE(Contenido(in.destino), old);
        QCOMPARE(QDir(locked).entryList(QDir::Files | QDir::Hidden), QStringList({"keep.icc"}));

        // colprof succeeds but nothing can replace the destination: a folder holds its name.
        const QString occupied = dir_.filePath("out/occupied.icc");
        QVERIFY(QDir().mkpath(occupied));
        EntradaCreacion ocupada = in;
        ocupada.destino = occupied;
        RecordingLog occupiedLog;
        run = CrearPerfil(ocupada, in.referenciaGenerica, occupiedLog, frontEnd);
        QCOMPARE(run.fin, FinCreacion::Fallido);
        QCOMPARE(run.paso, PasoCreacion::Guardado);
        QVERIFY(Contiene(occupiedLog.lines, "No se pudo guardar el perfil en " + occupied));
        QVERIFY(Contiene(occupiedLog.lines, "El perfil existente no se ha modificado: "));
        QVERIFY(QFileInfo(occupied).isDir());

        RecordingLog okLog;
        run = CrearPerfil(in, in.referenciaGenerica, okLog, frontEnd);
        QCOMPARE(run.fin, FinCreacion::Correcto);
        QVERIFY(LeerEtiquetasIcc(in.destino).ok);
        QVERIFY(Contiene(okLog.lines, "Perfil guardado: " + in.destino));
    }

    // An image that cannot be copied into the work folder ends the run in its clean-up.
    void failedImageCopyIsLogged() {
        const QString notAFile = dir_.filePath("folder.tif");
        QVERIFY(QDir().mkpath(notAFile));
        EntradaCreacion in = Entrada(notAFile, "ColorChecker");
        in.destino = dir_.filePath("out/nocopy.icc");
        RecordingLog log;
        FrontEnd frontEnd;
        const EjecucionCreacion run = CrearPerfil(in, in.referenciaGenerica, log, frontEnd);
        QCOMPARE(run.fin, FinCreacion::Fallido);
        QVERIFY(Contiene(log.lines, "No se pudo copiar la imagen a la carpeta de trabajo: "));
        QVERIFY(!Contiene(log.lines, "scanin: "));
        QVERIFY(!QFile::exists(in.destino));
        QCOMPARE(log.states.last(), QString());
    }

    // Cancelling stops the tool, ends in the clean-up step and writes no profile.
    void cancelWritesNoProfile() {
        EntradaCreacion in = Entrada(capture_, "ColorChecker");
        in.algoritmo = 0; // Lab cLUT takes seconds
        in.destino = dir_.filePath("out/cancelled.icc");
        CancelToken token;
        CancellingLog log(token, "colprof: ");
        FrontEnd frontEnd;
        QElapsedTimer clock;
        clock.start();
        const EjecucionCreacion run = CrearPerfil(in, in.referenciaGenerica, log, frontEnd, &token);
        QCOMPARE(run.fin, FinCreacion::Cancelado);
        QVERIFY(clock.elapsed() < 2500);
        QVERIFY(!QFile::exists(in.destino));
        QCOMPARE(log.lines.last(),
                 QString("Creación del perfil cancelada: no se ha escrito ningún perfil."));
        QVERIFY(!Contiene(log.lines, "colprof rc="));
        QVERIFY(frontEnd.registrados.isEmpty());
        QVERIFY(frontEnd.preguntas.isEmpty());
        QVERIFY(!QFile::exists(dir_.filePath("tmp/chromaflux_scanin_tmp.tif")));
    }

    // A portrait QPcard 202 is turned for scanin; the temporary files go away.
    void portraitQpcard202() {
        const QString image = dir_.filePath("qpcard202.jpg");
        const QString error = RenderizarCarta("QPcard_202", image, true);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        EntradaCreacion in = Entrada(image, "QPcard_202");
        in.destino = dir_.filePath("out/qpcard202.icc");
        RecordingLog log;
        FrontEnd frontEnd;
        frontEnd.borrarCarpeta = false;
        const EjecucionCreacion run = CrearPerfil(in, in.referenciaGenerica, log, frontEnd);
        QCOMPARE(run.fin, FinCreacion::Correcto);
        QVERIFY(Contiene(log.lines, "Imagen convertida a TIFF temporal -> "));
        QVERIFY(Contiene(log.lines,
                         "QPcard 202 vertical detectada: imagen rotada a horizontal para scanin"));
        QVERIFY(Contiene(log.lines, "Carpeta temporal conservada: " + run.carpetaTrabajo));
        QVERIFY(QFile::exists(run.carpetaTrabajo + "/chromaflux_scanin_qpc202_rot_tmp.ti3"));
        QVERIFY(!QFile::exists(dir_.filePath("tmp/chromaflux_scanin_tmp.tif")));
        QVERIFY(!QFile::exists(dir_.filePath("tmp/chromaflux_scanin_qpc202_rot_tmp.tif")));
        QVERIFY2(run.resultado.avisoLectura.isEmpty(), qPrintable(run.resultado.verificacion));
    }
};

QTEST_GUILESS_MAIN(TestCreatePipeline)
#include "tst_createpipeline.moc"

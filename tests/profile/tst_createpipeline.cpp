#include "chartrenderer.h"
#include "portablefolders.h"
#include "profile/createpipeline.h"
#include "profile/creationfrontend.h"
#include "profile/fiducialmapping.h"
#include "profilefixtures.h"
#include "recordinglog.h"
#include "shell/appfolders.h"
#include "shell/toolrunner.h"

#include <QtTest>

namespace {

// A front end that lets the work folder go and counts what it was given.
class FrontEnd : public InterlocutorCreacion {
public:
    int registrados = 0, sospechosas = 0, preguntas = 0;

    void Avisar(const QString&) override {}
    void RegistrarResultados(const ResultadoCreacion&) override { ++registrados; }
    void MostrarResumenResultados(const ResultadoCreacion&) override {}
    void AvisarLecturaSospechosa(const ResultadoCreacion&) override { ++sospechosas; }
    void MostrarDiagnosticoFallido(const QString&) override {}
    void AbrirVerificacionAuto(const ResultadoCreacion&) override {}
    bool PreguntarBorrarCarpeta(const QString&) override { return ++preguntas; }
};

bool Contiene(const QStringList& lines, const QString& start) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const QString& l) { return l.startsWith(start); });
}

} // namespace

// The profile run with the real scanin, colprof and profcheck on rendered captures.
class TestCreatePipeline : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString capture_; // clean ColorChecker PNG
    chartrender::RenderInfo info_;
    FrontEnd frontEnd_;

    EntradaCreacion Entrada(const QString& image, const QString& chart, const QString& dest) {
        const AppFolders folders = PortableFolders(dir_.path());
        EntradaCreacion in;
        in.imagen = image;
        in.tipoReferencia = EntradaCreacion::Generica;
        in.referenciaGenerica = CarpetaRefArgyll() + chart + ".cie";
        in.carta = CarpetaRefArgyll() + chart + ".cht";
        in.ficheroCarta = chart + ".cht";
        in.gamma = "2.2";
        in.puntoBlanco = in.sombras = "1.0";
        in.calidad = in.algoritmo = 2;
        in.intento = 0;
        in.destino = dir_.filePath("out/" + dest);
        in.carpetaPrograma = dir_.path();
        in.carpetaTmp = dir_.filePath("tmp");
        in.scanin = folders.toolPath("scanin");
        in.colprof = folders.toolPath("colprof");
        in.profcheck = folders.toolPath("profcheck");
        return in;
    }

    EjecucionCreacion Crear(const EntradaCreacion& in, RecordingLog& log) {
        return CrearPerfil(in, in.referenciaGenerica, log, frontEnd_);
    }

private slots:
    void initTestCase() {
        QVERIFY(QDir().mkpath(dir_.filePath("out")));
        capture_ = dir_.filePath("colorchecker.png");
        const QString error = RenderizarCarta("ColorChecker", capture_, false, 0, 1400, &info_);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void init() { frontEnd_ = FrontEnd(); }

    // Texts with quotes, shell characters and non-ASCII letters reach the profile tags as
    // typed; an empty copyright still lets colprof run; the white point is spelled for the
    // installed colprof. Corners given in a turned order are tried in all four turns and the
    // fitting turn is kept.
    void textsReachTagsAndReadingsAreTurned() {
        EntradaCreacion in = Entrada(capture_, "ColorChecker", "profile.icc");
        in.fabricante = "Acme \"Quoted\" ; $(touch /tmp/nc_pwned) `id`";
        in.modelo = "Cámara ñ €";
        in.descripcion = "-starts with a dash; 'single' & more";
        in.puntoBlanco = "1.3";
        in.guardarTi3JuntoPerfil = true;
        RecordingLog log;
        EjecucionCreacion run = Crear(in, log);
        QCOMPARE(run.fin, FinCreacion::Correcto);
        QVERIFY(!QFile::exists("/tmp/nc_pwned"));
        const EtiquetasIcc tags = LeerEtiquetasIcc(in.destino);
        QVERIFY(tags.ok);
        QCOMPARE(QStringList({tags.fabricante, tags.modelo, tags.descripcion, tags.copyright}),
                 QStringList({in.fabricante, in.modelo, in.descripcion, ""}));
        QString usage;
        EjecutarYLeerSalida(CommandLine{in.colprof, {}, in.colprof}, dir_.path(), usage);
        const QString white = usage.contains("Version 2.") ? " -U 1.30 " : " -u 1.30 ";
        const QString colprof = log.lines.filter(QRegularExpression("^colprof: ")).value(0);
        QVERIFY2(colprof.contains(white) && colprof.contains(" -C\"\" "), qPrintable(colprof));
        QCOMPARE(ParchesTi3(dir_.filePath("out/profile.ti3")), 24);
        QVERIFY(run.lectura.plausible && run.lectura.metodo == MetodoLectura::Automatico);

        in.fiducialesManuales = ListaFiduciales(Giros(info_.fiducials)[2]);
        in.cartaAjusteManual = in.ficheroCarta;
        in.imagenAjusteManual = in.imagen;
        in.puntoBlanco = "1.0";
        run = Crear(in, log);
        QVERIFY(run.resultado.media2000 && *run.resultado.media2000 < 3.0);
        QCOMPARE(run.fin, FinCreacion::Correcto);
        QVERIFY(run.lectura.plausible && run.lectura.metodo == MetodoLectura::Manual);
        QCOMPARE(run.lectura.intentos, 3);
        QCOMPARE(run.lectura.fiduciales, ListaFiduciales(info_.fiducials));
        QCOMPARE(frontEnd_.sospechosas, 0);
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
        RecordingLog log;
        const EjecucionCreacion run = Crear(Entrada(image, "QPcard_201", "slanted.icc"), log);
        QVERIFY2(run.fin == FinCreacion::Correcto, qPrintable(log.lines.join('\n')));
        QCOMPARE(run.lectura.metodo, MetodoLectura::Region);
        QVERIFY(run.lectura.ajuste.error < 2.0);
    }

    // Failed runs leave an older profile untouched and say so; a successful run replaces it.
    void olderProfileReplacedOnlyWhole() {
        const QByteArray old = "an older profile";
        EntradaCreacion in = Entrada(capture_, "QPcard_201", "keep.icc"); // not that chart
        QFile file(in.destino);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
        file.close();
        RecordingLog log;
        EjecucionCreacion run = Crear(in, log);
        QCOMPARE(run.fin, FinCreacion::Fallido);
        QVERIFY(Contiene(log.lines, "scanin rc="));
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == old);
        file.close();
        QVERIFY(frontEnd_.preguntas == 0 && frontEnd_.registrados == 0);

        in = Entrada(capture_, "ColorChecker", "keep.icc");
        EntradaCreacion other = in;
        // colprof succeeds but nothing can replace the destination: a folder holds its name.
        other.destino = dir_.filePath("out/occupied.icc");
        QVERIFY(QDir().mkpath(other.destino));
        run = Crear(other, log);
        QVERIFY(run.fin == FinCreacion::Fallido && run.paso == PasoCreacion::Guardado);
        QVERIFY(Contiene(log.lines, "No se pudo guardar el perfil en " + other.destino));
        QVERIFY(Contiene(log.lines, "El perfil existente no se ha modificado: "));
        QVERIFY(QFileInfo(other.destino).isDir());

        run = Crear(in, log);
        QCOMPARE(run.fin, FinCreacion::Correcto);
        QVERIFY(LeerEtiquetasIcc(in.destino).ok);
        QCOMPARE(QDir(dir_.filePath("out")).entryList({"keep*"}, QDir::Files | QDir::Hidden),
                 QStringList({"keep.icc"}));
        QVERIFY(Contiene(log.lines, "Perfil guardado: " + in.destino));
    }
};

QTEST_GUILESS_MAIN(TestCreatePipeline)
#include "tst_createpipeline.moc"

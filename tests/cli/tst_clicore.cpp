#include "charts/chartcatalog.h"
#include "cli/cliargs.h"
#include "cli/clichoices.h"
#include "cli/consola.h"
#include "cli/consolelog.h"
#include "cli/createinput.h"
#include "cli/createrequest.h"
#include "cli/createrun.h"
#include "cli/jsonreport.h"
#include "cli/parallelrun.h"
#include "lang/texto.h"
#include "profile/createvalidation.h"
#include "profile/profileoptions.h"
#include "shell/appfolders.h"
#include "shell/toolrunner.h"

#include <QtTest>

#include <condition_variable>

namespace {

// A console writing into a buffer for standard error.
struct ConsolaPrueba {
    QBuffer out, err;
    Consola consola{out, err};

    ConsolaPrueba() { out.open(QIODevice::WriteOnly) && err.open(QIODevice::WriteOnly); }
    QString Errores() const { return QString::fromUtf8(err.data()); }
};

} // namespace

// The command line's pieces: argument reading, the create command's request and inputs, the
// console log, parallel runs and the JSON reports. Files are only named, never read, so empty
// stand-ins serve; the charts are the installed ArgyllCMS ones.
class TestCliCore : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<ChartCatalog> catalogo_;

    LecturaCreacion Leer(const QStringList& extra, const QString& chart = "ColorChecker.cht") {
        QStringList args{"--image", dir_.filePath("a.tif"), "--chart", chart};
        if (!extra.contains("--output") && !extra.contains("--output-dir"))
            args << "--output" << dir_.filePath("out/a.icc");
        return LeerPeticionCreacion(args + extra, *catalogo_);
    }
    LecturaCreacion Lote(const QStringList& imagenes) {
        QStringList args{"--chart", "ColorChecker.cht", "--output-dir", dir_.filePath("p")};
        for (const QString& imagen : imagenes)
            args << "--image" << dir_.filePath(imagen);
        return LeerPeticionCreacion(args, *catalogo_);
    }

private slots:
    void initTestCase() {
        for (const char* f :
             {"a.tif", "x.tif", "ref.cie", "out/", "batch/b.PNG", "batch/a.jpeg", "batch/c.tiff",
              "batch/c_scanin_diag.tif", "batch/notes.txt", "batch/sub/d.tif", "batch2/b.tif"}) {
            QFile file(dir_.filePath(f));
            QVERIFY(QDir().mkpath(QFileInfo(file).path()));
            QVERIFY(file.fileName().endsWith('/') || file.open(QIODevice::WriteOnly));
        }
        const AppFolders carpetas = AppFolders::forProgram(QCoreApplication::applicationDirPath());
        catalogo_ = std::make_unique<ChartCatalog>(carpetas.argyllRef, carpetas.argyllDoc);
    }

    void argumentsAreReadAgainstTheTable() {
        const QList<OpcionCli> tabla{{"image", true, true}, {"chart", true}, {"json"}};
        const ArgumentosCli a = ArgumentosCli::Leer(
            {"--image", "a.tif", "--chart=x=y.cht", "--image=--b.tif", "--json", "--image", ""},
            tabla);
        QVERIFY2(a.ok(), qPrintable(a.error()));
        QCOMPARE(a.valores("image"), QStringList({"a.tif", "--b.tif", ""}));
        QCOMPARE(a.valor("chart"), QStringLiteral("x=y.cht"));
        QVERIFY(a.tiene("json") && !ArgumentosCli::Leer({}, tabla).tiene("json"));
        const QList<QPair<QStringList, QString>> errores{
            {{"--colour"}, "unknown option '--colour'"},
            {{"--"}, "unexpected argument '--'"},
            // A following option is not taken for the value.
            {{"--chart", "--json"}, "option '--chart' needs a value"},
            {{"--json=1"}, "option '--json' takes no value"},
            {{"--chart", "a", "--chart", "b"}, "option '--chart' given more than once"},
        };
        for (const auto& [args, message] : errores)
            QCOMPARE(ArgumentosCli::Leer(args, tabla).error(), message);
    }

    void numbersAndChoices();

    void createRequestDefaultsAndOptions() {
        const PeticionCreacion d = Leer({}).peticion;
        QCOMPARE(d.destinos.size(), 1);
        QCOMPARE(d.destinos.first().perfil, dir_.filePath("out/a.icc"));
        // The main window's start: its list selections and its profile texts.
        QCOMPARE(QStringList({d.gamma, d.puntoBlanco, d.sombras, d.fabricante, d.modelo}),
                 QStringList({"2.2", "1.0", "1.0", "Dispositivo", "Modelo"}));
        QCOMPARE(QList<int>({d.algoritmo, d.calidad, d.intento, d.trabajos, d.limiteMs, d.Lote(),
                             d.perspectiva, d.guardarTi3, d.guardarDiag, d.conservarTrabajo, d.json,
                             d.silencio, d.conDescripcion}),
                 QList<int>({2, 2, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        // Every option, the numbers at the ends of their ranges.
        const LecturaCreacion t = Leer(
            QString("--gamma|10|--perspective|--fiducials|10,20.5,1000,20,1000.125,700,10,700|"
                    "--white-point|0,5|--shadows|3|--algorithm|lab-clut|--quality|3|--intent|"
                    "Relative|--device|Acme \"X\"|--model|-M9|--description||--copyright|(c) me|"
                    "--save-ti3|--save-diag|--keep-work|--json|--quiet|--jobs|32|--timeout|1.5|"
                    "--reference|" +
                    dir_.filePath("ref.cie"))
                .split('|'));
        QVERIFY2(t.error.isEmpty(), qPrintable(t.error));
        const PeticionCreacion& q = t.peticion;
        QCOMPARE(QStringList({q.gamma, q.puntoBlanco, q.sombras, q.fabricante, q.modelo,
                              q.descripcion, q.copyright, q.referenciaDada, q.fiduciales}),
                 QStringList({"10", "0.5", "3", "Acme \"X\"", "-M9", "", "(c) me",
                              dir_.filePath("ref.cie"),
                              "10.00,20.50,1000.00,20.00,1000.13,700.00,10.00,700.00"}));
        QCOMPARE(QList<int>({q.algoritmo, q.calidad, q.intento, q.trabajos, q.limiteMs,
                             q.perspectiva, q.guardarTi3, q.guardarDiag, q.conservarTrabajo, q.json,
                             q.silencio, q.conDescripcion}),
                 QList<int>({0, 3, 1, 32, 1500, 1, 1, 1, 1, 1, 1, 1}));
    }

    void wrongValues() {
        const QList<QPair<QString, QString>> casos{
            {"--gamma 0", "--gamma must be a number above 0 and at most 10, not '0'"},
            {"--white-point 1.6", "--white-point must be a number from 0.5 to 1.5"},
            {"--shadows 0.9", "--shadows must be a number from 1 to 3"},
            {"--jobs 33", "--jobs must be a whole number from 1 to 32"},
            {"--timeout 0", "--timeout must be a number of seconds"},
            {"--quality best", "--quality must be one of low (0), medium (1), high (2), ultra"},
            {"--fiducials 1,2,3,4,5,6,7,-8", "--fiducials needs eight pixel positions"},
            {"--reference /nonexistent/r.cie", "--reference file not found: /nonexistent/r.cie"},
            {"--output /tmp/p.txt", "--output must name an .icc or .icm file"},
            {"--output /nonexistent/dir/p.icc", "folder of --output not found: /nonexistent/dir"},
            {"--output /tmp/p.icc --output-dir /tmp", "give --output or --output-dir, not both"},
            {"--image {dir}/x.tif", "--output names one profile; use --output-dir for 2 images"},
        };
        for (auto [extra, error] : casos) {
            const QString read = Leer(extra.replace("{dir}", dir_.path()).split(' ')).error;
            QVERIFY2(read.startsWith(error), qPrintable(read));
        }
    }

    void chartNamesAndReferences() {
        const LecturaCreacion l = Leer({}, " COLORCHECKER ");
        QCOMPARE(l.peticion.carta, catalogo_->IndiceCarta("ColorChecker.cht"));
        QCOMPARE(l.peticion.referenciaCarta.ruta, catalogo_->CarpetaRef() + "ColorChecker.cie");
        QCOMPARE(Leer({}, "Nope.cht").error,
                 "chart 'Nope.cht' is not in the catalogue (see 'charts')");
        QVERIFY(Leer({}, "it8.cht").error.startsWith("chart 'it8.cht' has no generic or own"));
    }

    void batchAndInputsForTheRun() {
        const LecturaCreacion l = Lote({"x.tif", "batch"});
        QVERIFY2(l.error.isEmpty() && l.peticion.Lote(), qPrintable(l.error));
        // Files as given, then the folder's images by name (any letter case, no sub-folders, no
        // diagnostic image an earlier batch kept there).
        QStringList perfiles;
        for (const DestinoPerfil& d : l.peticion.destinos)
            perfiles << QFileInfo(d.imagen).fileName() + " " + d.perfil.mid(dir_.path().size());
        QCOMPARE(perfiles, QStringList({"x.tif /p/x.icc", "a.jpeg /p/a.icc", "b.PNG /p/b.icc",
                                        "c.tiff /p/c.icc"}));
        QVERIFY(!QFileInfo::exists(dir_.filePath("p"))); // reading writes nothing
        for (const QStringList& imagenes :
             {QStringList{"a.tif", "a.tif"}, {"batch", "a.tif"}, {"batch", "batch2"}})
            QVERIFY(Lote(imagenes).error.startsWith("two images would write the same profile "));
        QVERIFY(Lote({"out"}).error.startsWith("no chart images (.tif, .tiff, .png, .jpg, .jpeg)"));

        // Given corners are a stored grid for this chart and image; the profile's name
        // describes it; a given reference is a custom one.
        const LecturaCreacion c = Leer({"--fiducials", "1,2,3,4,5,6,7,8", "--gamma", "1.0",
                                        "--reference", dir_.filePath("ref.cie")});
        const AppFolders carpetas = AppFolders::forProgram(QCoreApplication::applicationDirPath());
        const EntradaCreacion in =
            EntradaDeDestino(c.peticion, c.peticion.destinos.first(), *catalogo_, carpetas, "/r");
        QCOMPARE(QStringList({in.imagen, in.destino, in.carpetaTmp, in.carta, in.gamma,
                              in.descripcion, in.referenciaPersonalizada}),
                 QStringList({dir_.filePath("a.tif"), dir_.filePath("out/a.icc"), "/r",
                              catalogo_->CarpetaRef() + "ColorChecker.cht", "1", "a",
                              dir_.filePath("ref.cie")}));
        QCOMPARE(in.tipoReferencia, EntradaCreacion::Personalizada);
        QCOMPARE(ArgumentoCuadriculaManual(in),
                 QStringList({"-p", "-F", "1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00"}));
    }

    void logWritesWholePrefixedLines() {
        ConsolaPrueba c;
        RegistroConsola log(c.consola, "[a.tif] ", false);
        log.LogMsg("scanin: x");
        log.AgregarSalidaLog("Input fi");
        QCOMPARE(c.Errores(), QStringLiteral("[a.tif] scanin: x\n"));
        log.AgregarSalidaLog("le 'x'\r\nsecond\nthi");
        log.MostrarEstado(QString());
        log.MostrarEstado("Leyendo...");
        log.AgregarSalidaLog("last words\n\n");
        log.LogMsg("two\nlines");
        log.AgregarSalidaLog("tail");
        log.Terminar();
        QCOMPARE(c.Errores(), QStringLiteral("[a.tif] scanin: x\n[a.tif] Input file 'x'\n"
                                             "[a.tif] second\n[a.tif] thi\n[a.tif] Leyendo...\n"
                                             "[a.tif] last words\n[a.tif] \n[a.tif] two\n"
                                             "[a.tif] lines\n[a.tif] tail\n"));
        log.AgregarSalidaLog(QString(70 * 1024, 'y')); // a line without end is not held back
        QVERIFY(c.Errores().endsWith("yyy\n"));
    }

    // Four threads log lines in pieces that split them anywhere; no line is mixed or lost.
    void logLinesOfThreadsNeverMix() {
        ConsolaPrueba c;
        constexpr int kLineas = 300;
        EjecutarEnParalelo(4, 4, [&c](int h) {
            RegistroConsola log(c.consola, QStringLiteral("[%1] ").arg(h), false);
            for (int i = 0; i < kLineas; ++i) {
                log.AgregarSalidaLog(QStringLiteral("line %1 of").arg(i));
                log.AgregarSalidaLog(QStringLiteral(" run %1\nx").arg(h));
                log.AgregarSalidaLog(QStringLiteral("%1\n").arg(i));
            }
        });
        const QStringList lines = c.Errores().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4 * kLineas * 2);
        for (int h = 0; h < 4; ++h) {
            QStringList esperadas;
            for (int i = 0; i < kLineas; ++i)
                esperadas << QString("[%1] line %2 of run %1").arg(h).arg(i)
                          << QString("[%1] x%2").arg(h).arg(i);
            QCOMPARE(lines.filter(QString("[%1] ").arg(h)), esperadas);
        }
    }

    void parallelRunBoundsItsThreadsAndStops() {
        // The first three tasks wait for each other, so three threads must run at once; then
        // a while for a fourth, which can only be seen not to come by waiting for it.
        std::mutex mutex;
        std::condition_variable llegada;
        int empezadas = 0, enCurso = 0, maximo = 0;
        QSet<int> hechas;
        QSet<QThread*> hilos;
        EjecutarEnParalelo(9, 3, [&](int i) {
            std::unique_lock lock(mutex);
            ++empezadas;
            maximo = std::max(maximo, ++enCurso);
            llegada.notify_all();
            llegada.wait_for(lock, std::chrono::seconds(20), [&] { return empezadas >= 3; });
            llegada.wait_for(lock, std::chrono::milliseconds(i < 3 ? 300 : 0),
                             [&] { return enCurso > 3; });
            --enCurso;
            hechas << i;
            hilos << QThread::currentThread();
        });
        QCOMPARE(hechas.size(), 9);
        QCOMPARE(maximo, 3);
        QVERIFY(hilos.size() == 3 && !hilos.contains(QThread::currentThread()));
        std::atomic<int> cuenta{0};
        EjecutarEnParalelo(2, 8, [&](int) { ++cuenta; });
        EjecutarEnParalelo(0, 4, [&](int) { ++cuenta; });
        QCOMPARE(cuenta.load(), 2);
        // After the cancel no further task starts.
        CancelToken cancel;
        EjecutarEnParalelo(
            10, 1, [&](int i) { (++cuenta, i == 2) ? cancel.cancel() : void(); }, &cancel);
        QCOMPARE(cuenta.load(), 5);
    }

    void jsonReportsAndFailureReasons() {
        // No output: null; output without figures: every field null, none made up.
        QVERIFY(JsonVerificacion(" \n").isNull());
        const QJsonObject parcial =
            JsonVerificacion("Profile check complete, errors: max. = 2.5, avg. = x\n").toObject();
        QCOMPARE(parcial.value("max").toDouble(), 2.5);
        for (const char* key : {"avg", "patches", "rms", "worst"})
            QVERIFY2(parcial.value(key).isNull(), key);

        TrabajoCreacion bien{{"/in/a.tif", "/out/a.icc"}, true, {}, {}};
        bien.ejecucion.fin = FinCreacion::Correcto;
        bien.ejecucion.resultado.perfil = "/out/a.icc";
        bien.ejecucion.resultado.diagnostico = "/out/a_scanin_diag.tif";
        TrabajoCreacion mal{{"/in/b.png", "/out/b.icc"}, true, {}, {}};
        mal.ejecucion.rcScanin = 1;
        mal.ejecucion.motivo = "scanin rc=1";
        mal.ejecucion.lineaHerramienta = "scanin: Error - Pattern match wasn't good enough";
        // One line, the keys in the documented order, absent values null.
        QCOMPARE(
            TextoJson(JsonCreacion(mal, false)),
            QStringLiteral("{\"profile\":null,\"ti3\":null,\"diagnostic\":null,\"scanin_rc\":1,"
                           "\"colprof_rc\":null,\"profcheck_rc\":null,\"read\":null,"
                           "\"check\":null,\"warnings\":[],"
                           "\"error\":\"scanin rc=1 (scanin: Error - Pattern match wasn't "
                           "good enough)\"}\n"));
        QVERIFY(JsonCreacion(bien, false).value("diagnostic").isNull());
        QCOMPARE(JsonCreacion(bien, true).value("diagnostic").toString(), "/out/a_scanin_diag.tif");
        // Other reasons stand alone, on one line.
        mal.ejecucion.rcScanin = 0;
        mal.ejecucion.motivo = "Faltan datos:\n- Tipo de carta";
        QCOMPARE(MotivoFallo(mal), "Faltan datos: - Tipo de carta");
        mal.ejecutado = false;
        QCOMPARE(MotivoFallo(mal), Texto("cli.not_run"));
        QVERIFY(MotivoFallo(bien).isEmpty() && PerfilEscrito(bien) && !PerfilEscrito(mal));
    }
};

void TestCliCore::numbersAndChoices() {
    int n = -1;
    QVERIFY(LeerEnteroCli("12", n) && n == 12);
    for (const char* malo : {"", "1.0", "2x", "99999999999"})
        QVERIFY2(!LeerEnteroCli(QString::fromLatin1(malo), n), malo);

    // By name (any case) or by position in the window's list, which gives the window's letter.
    const QList<ListaOpciones>& listas = ListasOpciones();
    QCOMPARE(NombresAlgoritmo().size(), listas.at(0).items.size());
    QCOMPARE(NombresCalidad().size(), listas.at(1).items.size());
    QCOMPARE(NombresIntento().size(), listas.at(2).items.size());
    QCOMPARE(LetraAlgoritmo(IndiceEleccion("Gamma-Matrix", NombresAlgoritmo())), "g");
    QCOMPARE(LetraAlgoritmo(IndiceEleccion("xyz-clut-matrix", NombresAlgoritmo())), "X");
    QCOMPARE(LetraAlgoritmo(IndiceEleccion("7", NombresAlgoritmo())), "S");
    QCOMPARE(LetraCalidad(IndiceEleccion(" ultra ", NombresCalidad())), "u");
    QCOMPARE(ArgumentoIntento(IndiceEleccion("saturation", NombresIntento())).last(), "s");
    for (const char* malo : {"8", "-1", "gamma", ""})
        QCOMPARE(IndiceEleccion(QString::fromLatin1(malo), NombresAlgoritmo()), -1);
    QCOMPARE(DescribirElecciones({"low", "high"}), QStringLiteral("low (0), high (1)"));
    QCOMPARE(IndicePorDefecto("cboAlgorithm"), listas.at(0).defaultIndex);
    QCOMPARE(ValorPorDefecto("txtGamma"), listas.at(3).items.at(listas.at(3).defaultIndex));
}

QTEST_GUILESS_MAIN(TestCliCore)
#include "tst_clicore.moc"

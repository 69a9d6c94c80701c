#include "charts/chartcatalog.h"
#include "cli/cliargs.h"
#include "cli/clichoices.h"
#include "cli/clicommands.h"
#include "cli/clifrontend.h"
#include "cli/consola.h"
#include "cli/consolelog.h"
#include "cli/createrun.h"
#include "cli/jsonreport.h"
#include "cli/parallelrun.h"
#include "profile/profileoptions.h"
#include "recordinglog.h"
#include "shell/appfolders.h"
#include "shell/toolrunner.h"
#include "verify/profcheckreport.h"

#include <QBuffer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMutex>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <atomic>

namespace {

QString LeerDato(const QString& name) {
    QFile file(QStringLiteral(NC_CLI_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(name));
    return QString::fromUtf8(file.readAll());
}

bool Crear(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

// A console over two buffers.
struct ConsolaPrueba {
    QBuffer out;
    QBuffer err;
    Consola consola{out, err};

    ConsolaPrueba() {
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
    }
    QString Salida() const { return QString::fromUtf8(out.data()); }
    QString Errores() const { return QString::fromUtf8(err.data()); }
};

} // namespace

class TestCliCore : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void argumentsAreReadAgainstTheTable();
    void argumentErrors_data();
    void argumentErrors();
    void numbersMustBeWhole();
    void choicesByNameOrPosition();
    void choiceListsFollowTheWindowLists();
    void logWritesWholePrefixedLines();
    void logLinesOfThreadsNeverMix();
    void silencedLogStillFollowsTheTool();
    void parallelRunBoundsItsThreads();
    void parallelRunSkipsAfterCancel();
    void frontEndAnswersForTheCommandLine();
    void chartReferenceRule();
    void verificationJsonFromProfcheckOutput();
    void verificationJsonWithMissingFigures();
    void createJsonAndBatch();
    void failureReasonNamesTheTool();
    void commandErrorsAreOneMessage_data();
    void commandErrorsAreOneMessage();
    void helpForEachCommand();
    void chartsListAsJson();
};

void TestCliCore::initTestCase() {
    // The installed ArgyllCMS charts, as the program finds them.
    EstablecerCarpetas(AppFolders::forProgram(QCoreApplication::applicationDirPath()));
}

void TestCliCore::argumentsAreReadAgainstTheTable() {
    const QList<OpcionCli> tabla{{"image", true, true}, {"chart", true}, {"json"}};
    const ArgumentosCli a = ArgumentosCli::Leer(
        {"--image", "a.tif", "--chart=x.cht", "--image", "--b.tif", "--json"}, tabla);
    // "--image --b.tif" takes no value from a following option.
    QVERIFY(!a.ok());
    QVERIFY(a.error().contains("--image"));

    const ArgumentosCli b = ArgumentosCli::Leer(
        {"--image", "a.tif", "--chart=x=y.cht", "--image=--b.tif", "--json", "--image", ""}, tabla);
    QVERIFY2(b.ok(), qPrintable(b.error()));
    QCOMPARE(b.valores("image"), QStringList({"a.tif", "--b.tif", ""}));
    QCOMPARE(b.valor("chart"), QStringLiteral("x=y.cht"));
    QVERIFY(b.tiene("json"));
    QVERIFY(!ArgumentosCli::Leer({}, tabla).tiene("json"));
}

void TestCliCore::argumentErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown") << QStringList{"--colour"} << "unknown option '--colour'";
    QTest::newRow("bare word") << QStringList{"a.tif"} << "unexpected argument 'a.tif'";
    QTest::newRow("single dash") << QStringList{"-chart"} << "unexpected argument '-chart'";
    QTest::newRow("double dash") << QStringList{"--"} << "unexpected argument '--'";
    QTest::newRow("no value") << QStringList{"--chart"} << "option '--chart' needs a value";
    QTest::newRow("flag value") << QStringList{"--json=1"} << "option '--json' takes no value";
    QTest::newRow("twice") << QStringList{"--chart", "a", "--chart", "b"}
                           << "option '--chart' given more than once";
}

void TestCliCore::argumentErrors() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const ArgumentosCli a = ArgumentosCli::Leer(args, {{"chart", true}, {"json"}});
    QVERIFY(!a.ok());
    QCOMPARE(a.error(), message);
}

void TestCliCore::numbersMustBeWhole() {
    double v = -1;
    QVERIFY(LeerNumeroCli(" 1.3 ", v));
    QCOMPARE(v, 1.3);
    QVERIFY(LeerNumeroCli("1,25", v));
    QCOMPARE(v, 1.25);
    QVERIFY(LeerNumeroCli(".5", v));
    QCOMPARE(v, 0.5);
    QVERIFY(LeerNumeroCli("2.", v));
    QCOMPARE(v, 2.0);
    for (const char* malo : {"", "1.3x", "abc", "1e3", "inf", "nan", "1..2", "--1"})
        QVERIFY2(!LeerNumeroCli(QString::fromLatin1(malo), v), malo);

    int n = -1;
    QVERIFY(LeerEnteroCli("12", n));
    QCOMPARE(n, 12);
    QVERIFY(LeerEnteroCli("-3", n));
    QCOMPARE(n, -3);
    for (const char* malo : {"", "1.0", "2x", "99999999999"})
        QVERIFY2(!LeerEnteroCli(QString::fromLatin1(malo), n), malo);
}

void TestCliCore::choicesByNameOrPosition() {
    QCOMPARE(IndiceEleccion("gamma-matrix", NombresAlgoritmo()), 2);
    QCOMPARE(IndiceEleccion("Gamma-Matrix", NombresAlgoritmo()), 2);
    QCOMPARE(IndiceEleccion("4", NombresAlgoritmo()), 4);
    QCOMPARE(IndiceEleccion(" 0 ", NombresCalidad()), 0);
    QCOMPARE(IndiceEleccion("high", NombresCalidad()), 2);
    QCOMPARE(IndiceEleccion("perceptual", NombresIntento()), 0);
    QCOMPARE(IndiceEleccion("absolute", NombresIntento()), 3);
    QCOMPARE(IndiceEleccion("8", NombresAlgoritmo()), -1);
    QCOMPARE(IndiceEleccion("-1", NombresAlgoritmo()), -1);
    QCOMPARE(IndiceEleccion("gamma", NombresAlgoritmo()), -1);
    QCOMPARE(IndiceEleccion("", NombresCalidad()), -1);
    QCOMPARE(DescribirElecciones({"low", "high"}), QStringLiteral("low (0), high (1)"));
}

void TestCliCore::choiceListsFollowTheWindowLists() {
    // A name per item of the window's list, and the letters they give are the window's.
    const QList<ListaOpciones>& listas = ListasOpciones();
    QCOMPARE(NombresAlgoritmo().size(), listas.at(0).items.size());
    QCOMPARE(NombresCalidad().size(), listas.at(1).items.size());
    QCOMPARE(NombresIntento().size(), listas.at(2).items.size());
    QCOMPARE(LetraAlgoritmo(IndiceEleccion("gamma-matrix", NombresAlgoritmo())),
             QStringLiteral("g"));
    QCOMPARE(LetraAlgoritmo(IndiceEleccion("xyz-clut-matrix", NombresAlgoritmo())),
             QStringLiteral("X"));
    QCOMPARE(LetraAlgoritmo(IndiceEleccion("single-curve-matrix", NombresAlgoritmo())),
             QStringLiteral("S"));
    QCOMPARE(LetraCalidad(IndiceEleccion("ultra", NombresCalidad())), QStringLiteral("u"));
    QCOMPARE(ArgumentoIntento(IndiceEleccion("saturation", NombresIntento())).last(),
             QStringLiteral("s"));
    QCOMPARE(IndicePorDefecto("cboAlgorithm"), listas.at(0).defaultIndex);
    QCOMPARE(ValorPorDefecto("txtGamma"), listas.at(3).items.at(listas.at(3).defaultIndex));
    QCOMPARE(IndicePorDefecto("cboNothing"), -1);
    // The comparison window's lists: five normalisations, four X3DOM views.
    QCOMPARE(NombresNormalizar().size(), 5);
    QCOMPARE(NombresX3dom().size(), 4);
}

void TestCliCore::logWritesWholePrefixedLines() {
    ConsolaPrueba c;
    RegistroConsola log(c.consola, "[a.tif] ", false);
    log.LogMsg("scanin: \"/usr/bin/scanin\" -v");
    log.AgregarSalidaLog("Input fi");
    QCOMPARE(c.Errores(), QStringLiteral("[a.tif] scanin: \"/usr/bin/scanin\" -v\n"));
    log.AgregarSalidaLog("le 'x'\r\nsecond\nthi");
    log.MostrarEstado(QString());
    log.MostrarEstado("Leyendo la carta con scanin...");
    log.AgregarSalidaLog("last words\n\n");
    log.LogMsg("two\nlines");
    log.AgregarSalidaLog("tail without break");
    log.Terminar();
    QCOMPARE(c.Errores(), QStringLiteral("[a.tif] scanin: \"/usr/bin/scanin\" -v\n"
                                         "[a.tif] Input file 'x'\n"
                                         "[a.tif] second\n"
                                         "[a.tif] thi\n"
                                         "[a.tif] Leyendo la carta con scanin...\n"
                                         "[a.tif] last words\n"
                                         "[a.tif] \n"
                                         "[a.tif] two\n"
                                         "[a.tif] lines\n"
                                         "[a.tif] tail without break\n"));
    QCOMPARE(log.UltimaSalida(), QStringLiteral("tail without break"));
    QVERIFY(c.Salida().isEmpty());
}

void TestCliCore::logLinesOfThreadsNeverMix() {
    ConsolaPrueba c;
    constexpr int kHilos = 4;
    constexpr int kLineas = 300;
    QList<QThread*> hilos;
    for (int h = 0; h < kHilos; ++h) {
        hilos << QThread::create([&c, h] {
            RegistroConsola log(c.consola, QStringLiteral("[%1] ").arg(h), false);
            for (int i = 0; i < kLineas; ++i) {
                // Output in pieces that split the lines anywhere.
                log.AgregarSalidaLog(QStringLiteral("line %1 of").arg(i));
                log.AgregarSalidaLog(QStringLiteral(" run %1\nx").arg(h));
                log.AgregarSalidaLog(QStringLiteral("%1\n").arg(i));
            }
        });
        hilos.last()->start();
    }
    for (QThread* t : hilos) {
        QVERIFY(t->wait(30000));
        delete t;
    }
    const QStringList lines = c.Errores().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), kHilos * kLineas * 2);
    QList<int> siguiente(kHilos, 0);
    static const QRegularExpression forma("^\\[(\\d)\\] (line (\\d+) of run (\\d)|x(\\d+))$");
    for (const QString& line : lines) {
        const QRegularExpressionMatch m = forma.match(line);
        QVERIFY2(m.hasMatch(), qPrintable(line));
        const int h = m.captured(1).toInt();
        if (!m.captured(3).isEmpty()) {
            QCOMPARE(m.captured(4).toInt(), h);
            QCOMPARE(m.captured(3).toInt(), siguiente[h]);
        } else {
            QCOMPARE(m.captured(5).toInt(), siguiente[h]++);
        }
    }
}

void TestCliCore::silencedLogStillFollowsTheTool() {
    ConsolaPrueba c;
    RegistroConsola log(c.consola, QString(), true);
    log.LogMsg("scanin: x");
    log.AgregarSalidaLog("Scanin failed with code 0x3\n  \n");
    log.Terminar();
    QVERIFY(c.Errores().isEmpty());
    QCOMPARE(log.UltimaSalida(), QStringLiteral("Scanin failed with code 0x3"));
}

void TestCliCore::parallelRunBoundsItsThreads() {
    constexpr int kTareas = 9;
    std::atomic<int> enCurso{0};
    std::atomic<int> maximo{0};
    QMutex mutex;
    QList<int> hechas;
    QSet<QThread*> hilos;
    EjecutarEnParalelo(kTareas, 3, [&](int i) {
        const int ahora = ++enCurso;
        int visto = maximo.load();
        while (ahora > visto && !maximo.compare_exchange_weak(visto, ahora)) {
        }
        // Each task has an event loop, as the tool runner needs.
        QEventLoop loop;
        QTimer::singleShot(30, &loop, &QEventLoop::quit);
        loop.exec();
        --enCurso;
        const QMutexLocker lock(&mutex);
        hechas << i;
        hilos << QThread::currentThread();
    });
    std::sort(hechas.begin(), hechas.end());
    QList<int> todas;
    for (int i = 0; i < kTareas; ++i)
        todas << i;
    QCOMPARE(hechas, todas);
    QCOMPARE(maximo.load(), 3);
    QCOMPARE(hilos.size(), 3);
    QVERIFY(!hilos.contains(QThread::currentThread()));

    // More threads than tasks, and no task at all.
    std::atomic<int> cuenta{0};
    EjecutarEnParalelo(2, 8, [&](int) { ++cuenta; });
    QCOMPARE(cuenta.load(), 2);
    EjecutarEnParalelo(0, 4, [&](int) { ++cuenta; });
    QCOMPARE(cuenta.load(), 2);
}

void TestCliCore::parallelRunSkipsAfterCancel() {
    CancelToken cancel;
    std::atomic<int> hechas{0};
    EjecutarEnParalelo(
        10, 2,
        [&](int i) {
            ++hechas;
            if (i == 2)
                cancel.cancel();
        },
        &cancel);
    QVERIFY(hechas.load() >= 3);
    QVERIFY(hechas.load() <= 4); // the other thread may have taken one more before it saw it
}

void TestCliCore::frontEndAnswersForTheCommandLine() {
    RecordingLog log;
    ResultadoCreacion r;
    r.perfil = "/p/cam.icc";
    r.ti3 = "/p/cam.ti3";
    r.diagnostico = "/tmp/run/ultimo_scanin_diag.tif";
    r.verificacion = "Resumen profcheck: 24 parches; Delta E máx. 3.5 (D01); media 2.5; RMS 2.6";

    InterlocutorConsola sinDiag(log, false, true, false);
    sinDiag.MostrarResumenResultados(r);
    QCOMPARE(log.lines.size(), 1);
    const QString linea = log.lines.first();
    QVERIFY(linea.startsWith("Resumen operador: Perfil creado correctamente: | /p/cam.icc"));
    QVERIFY(linea.contains("- TI3: mediciones guardadas"));
    QVERIFY(linea.endsWith("RMS 2.6"));
    QVERIFY(!linea.contains("Diagnóstico"));
    QVERIFY(!linea.contains("¿Abrir"));
    QVERIFY(sinDiag.PreguntarBorrarCarpeta("/tmp/run"));

    InterlocutorConsola conservando(log, true, false, true);
    conservando.MostrarResumenResultados(r);
    QVERIFY(log.lines.last().contains("- Diagnóstico TIFF: imagen para revisar"));
    QVERIFY(!conservando.PreguntarBorrarCarpeta("/tmp/run"));
    conservando.Avisar("Punto blanco debe estar entre 0.5 y 1.5. Se usará 1.");
    QCOMPARE(log.lines.last(),
             QStringLiteral("Punto blanco debe estar entre 0.5 y 1.5. Se usará 1."));
}

void TestCliCore::chartReferenceRule() {
    QTemporaryDir ref;
    QVERIFY(ref.isValid());
    for (const char* f : {"ColorChecker.cht", "ColorChecker.cie", "ColorCheckerSG.cht",
                          "ColorCheckerSG.ti2", "it8.cht", "QPcard_202.cht"})
        QVERIFY(Crear(ref.filePath(QString::fromLatin1(f))));
    const ChartCatalog catalogo(ref.path(), QString());
    const int cc = catalogo.IndiceCarta("ColorChecker.cht");
    const int sg = catalogo.IndiceCarta("ColorCheckerSG.cht");
    const int it8 = catalogo.IndiceCarta("it8.cht");
    const int qp = catalogo.IndiceCarta("QPcard_202.cht");
    QVERIFY(cc >= 0 && sg >= 0 && it8 >= 0 && qp >= 0);

    const ReferenciaCarta generica = ReferenciaDeCarta(catalogo, cc, 7);
    QCOMPARE(generica.tipo, ReferenciaCarta::Generica);
    QCOMPARE(generica.generica, 4);
    QCOMPARE(generica.ruta, ref.filePath("ColorChecker.cie"));
    QCOMPARE(LineaLogReferenciaDeCarta(generica),
             "Referencia genérica asociada a la carta: " + ref.filePath("ColorChecker.cie"));

    const ReferenciaCarta propia = ReferenciaDeCarta(catalogo, sg, 7);
    QCOMPARE(propia.tipo, ReferenciaCarta::Propia);
    QCOMPARE(propia.ruta, ref.filePath("ColorCheckerSG.ti2"));
    QCOMPARE(LineaLogReferenciaDeCarta(propia),
             "Referencia personalizada asociada a la carta: " + ref.filePath("ColorCheckerSG.ti2"));

    const ReferenciaCarta ninguna = ReferenciaDeCarta(catalogo, it8, 7);
    QCOMPARE(ninguna.tipo, ReferenciaCarta::Ninguna);
    QVERIFY(ninguna.ruta.isEmpty());
    QVERIFY(LineaLogReferenciaDeCarta(ninguna).startsWith("Esta carta necesita"));

    // The generic reference of QPcard 202 is number 7: beyond a shorter list it does not count,
    // and without its own file there is none. Its generic file is not tested for existence.
    QCOMPARE(ReferenciaDeCarta(catalogo, qp, 7).tipo, ReferenciaCarta::Generica);
    QCOMPARE(ReferenciaDeCarta(catalogo, qp, 7).ruta, ref.filePath("QPcard_202.cie"));
    QCOMPARE(ReferenciaDeCarta(catalogo, qp, 6).tipo, ReferenciaCarta::Ninguna);
    QCOMPARE(ReferenciaDeCarta(catalogo, -1, 7).tipo, ReferenciaCarta::Ninguna);
}

void TestCliCore::verificationJsonFromProfcheckOutput() {
    const QString salida = LeerDato("colorchecker.profcheck-v2-Ir.txt");
    const CifrasProfcheck cifras = LeerCifrasProfcheck(salida);
    const QJsonObject check = JsonVerificacion(salida).toObject();
    QCOMPARE(check.value("summary").toString(), ResumirProfcheck(salida));
    QVERIFY(check.value("patches").isDouble());
    QCOMPARE(check.value("patches").toInt(), cifras.parches.toInt());
    QVERIFY(check.value("max").isDouble());
    QCOMPARE(check.value("max").toDouble(), cifras.maximo.toDouble());
    QCOMPARE(check.value("avg").toDouble(), cifras.media.toDouble());
    QCOMPARE(check.value("rms").toDouble(), cifras.rms.toDouble());
    QCOMPARE(check.value("worst").toString(), cifras.peor);

    QList<ErrorParche> errores;
    QVERIFY(LeerDetalleProfcheck(salida, errores));
    const QJsonArray array = JsonErrores(errores);
    QCOMPARE(array.size(), errores.size());
    for (qsizetype i = 0; i < errores.size(); ++i) {
        const QJsonObject o = array.at(i).toObject();
        QCOMPARE(o.keys(), QStringList({"dc", "de", "dh", "dl", "id"}));
        QCOMPARE(o.value("id").toString(), errores.at(i).id);
        QCOMPARE(o.value("de").toDouble(), errores.at(i).de);
        QCOMPARE(o.value("dh").toDouble(), errores.at(i).dh);
    }
}

void TestCliCore::verificationJsonWithMissingFigures() {
    QVERIFY(JsonVerificacion(QString()).isNull());
    QVERIFY(JsonVerificacion(" \n").isNull());
    // Output without the figures (profcheck failing): every field null, none made up.
    const QJsonObject nada = JsonVerificacion("profcheck: Error - unable to open").toObject();
    QCOMPARE(nada.keys(), QStringList({"avg", "max", "patches", "rms", "summary", "worst"}));
    for (const QString& key : nada.keys())
        QVERIFY2(nada.value(key).isNull(), qPrintable(key));
    const QJsonObject parcial =
        JsonVerificacion("Profile check complete, errors: max. = 2.5, avg. = x\n").toObject();
    QCOMPARE(parcial.value("max").toDouble(), 2.5);
    QVERIFY(parcial.value("avg").isNull());
    QVERIFY(parcial.value("patches").isNull());
    QVERIFY(parcial.value("summary").isString());
}

void TestCliCore::createJsonAndBatch() {
    TrabajoCreacion bien;
    bien.destino = {"/in/a.tif", "/out/a.icc"};
    bien.ejecutado = true;
    bien.ejecucion.fin = FinCreacion::Correcto;
    bien.ejecucion.resultado.perfil = "/out/a.icc";
    bien.ejecucion.resultado.diagnostico = "/out/a_scanin_diag.tif";
    bien.ejecucion.resultado.salidaVerificacion = LeerDato("colorchecker.profcheck-v2-Ir.txt");
    bien.ejecucion.rcScanin = 0;
    bien.ejecucion.rcColprof = 0;
    bien.ejecucion.rcProfcheck = 0;

    TrabajoCreacion mal;
    mal.destino = {"/in/b.png", "/out/b.icc"};
    mal.ejecutado = true;
    mal.ejecucion.rcScanin = 1;
    mal.ejecucion.motivo = "scanin rc=1";

    const QJsonObject o = JsonCreacion(bien, false);
    QCOMPARE(o.keys(), QStringList({"check", "colprof_rc", "diagnostic", "profcheck_rc", "profile",
                                    "scanin_rc", "ti3"}));
    QCOMPARE(o.value("profile").toString(), QStringLiteral("/out/a.icc"));
    QVERIFY(o.value("ti3").isNull());
    QVERIFY(o.value("diagnostic").isNull()); // not kept beside the profile
    QCOMPARE(JsonCreacion(bien, true).value("diagnostic").toString(),
             QStringLiteral("/out/a_scanin_diag.tif"));
    QVERIFY(o.value("scanin_rc").isDouble());
    QCOMPARE(o.value("profcheck_rc").toInt(), 0);
    QCOMPARE(o.value("check").toObject().value("patches").toInt(), 24);

    const QJsonObject f = JsonCreacion(mal, false);
    QVERIFY(f.value("profile").isNull());
    QCOMPARE(f.value("scanin_rc").toInt(), 1);
    QVERIFY(f.value("colprof_rc").isNull());
    QVERIFY(f.value("profcheck_rc").isNull());
    QVERIFY(f.value("check").isNull());

    const QJsonObject lote = JsonLote({bien, mal}, false);
    QCOMPARE(lote.value("written").toInt(), 1);
    QCOMPARE(lote.value("failed").toInt(), 1);
    const QJsonArray perfiles = lote.value("profiles").toArray();
    QCOMPARE(perfiles.size(), 2);
    QCOMPARE(perfiles.at(0).toObject().value("image").toString(), QStringLiteral("/in/a.tif"));
    QVERIFY(perfiles.at(0).toObject().value("error").isNull());
    QCOMPARE(perfiles.at(1).toObject().value("error").toString(), QStringLiteral("scanin rc=1"));
    // One line of JSON that reads back as written, the keys in the documented order.
    const QString uno = TextoJson(f);
    QCOMPARE(uno, QStringLiteral("{\"profile\":null,\"ti3\":null,\"diagnostic\":null,"
                                 "\"scanin_rc\":1,\"colprof_rc\":null,\"profcheck_rc\":null,"
                                 "\"check\":null}\n"));
    QVERIFY(TextoJson(o).contains(
        QRegularExpression("\"check\":\\{\"summary\":\"[^\"]+\",\"patches\":24,\"max\":[0-9.]+,"
                           "\"worst\":\"D06\",\"avg\":[0-9.]+,\"rms\":[0-9.]+\\}\\}\n$")));
    QCOMPARE(TextoJson(QJsonArray{QJsonObject{{"zeta", 1}, {"dh", "é\"x"}, {"id", 2.5}}}),
             QStringLiteral("[{\"id\":2.5,\"dh\":\"é\\\"x\",\"zeta\":1}]\n"));
    const QString texto = TextoJson(lote);
    QVERIFY(texto.endsWith('\n'));
    QCOMPARE(texto.count('\n'), 1);
    QCOMPARE(QJsonDocument::fromJson(texto.toUtf8()).object(), lote);
}

void TestCliCore::failureReasonNamesTheTool() {
    TrabajoCreacion t;
    t.destino = {"/in/a.tif", "/out/a.icc"};
    QCOMPARE(MotivoFallo(t), QStringLiteral("not run: the command was stopped"));
    t.ejecutado = true;
    QCOMPARE(MotivoFallo(t), QStringLiteral("no profile was written"));
    t.ejecucion.rcScanin = 1;
    t.ejecucion.motivo = "scanin rc=1";
    t.ultimaSalida = "Scanin failed with code 0x3, Pattern match wasn't good enough";
    QCOMPARE(MotivoFallo(t), QStringLiteral("scanin rc=1 (Scanin failed with code 0x3, Pattern "
                                            "match wasn't good enough)"));
    // A failure after the tools ran well is not blamed on their output.
    t.ejecucion.rcScanin = 0;
    t.ejecucion.rcColprof = 0;
    t.ejecucion.motivo = "No se pudo guardar el perfil en /out/a.icc: Permission denied";
    QCOMPARE(MotivoFallo(t), t.ejecucion.motivo);
    t.ejecucion.motivo = "No se puede crear el perfil. Faltan datos:\n- Tipo de carta";
    QCOMPARE(MotivoFallo(t),
             QStringLiteral("No se puede crear el perfil. Faltan datos: - Tipo de carta"));
    t.ejecucion.resultado.perfil = "/out/a.icc";
    QVERIFY(MotivoFallo(t).isEmpty());
    QVERIFY(PerfilEscrito(t));
}

void TestCliCore::commandErrorsAreOneMessage_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("no command") << QStringList{} << "Usage: nerva-chromaflux-cli COMMAND";
    QTest::newRow("unknown command") << QStringList{"make"} << "unknown command 'make'";
    QTest::newRow("charts option")
        << QStringList{"charts", "--all"} << "charts: unknown option '--all'";
    QTest::newRow("verify without ti3")
        << QStringList{"verify", "--profile", "p.icc"} << "verify: --ti3 FILE is required";
    QTest::newRow("verify missing file")
        << QStringList{"verify", "--ti3", "/nonexistent/a.ti3", "--profile", "p.icc"}
        << "verify: --ti3 file not found: /nonexistent/a.ti3";
    QTest::newRow("compare missing measured")
        << QStringList{"compare", "--reference", NC_CLI_TEST_DATA "/colorchecker.ti3"}
        << "compare: --measured FILE is required";
    QTest::newRow("compare normalisation")
        << QStringList{"compare",
                       "--reference",
                       NC_CLI_TEST_DATA "/colorchecker.ti3",
                       "--measured",
                       NC_CLI_TEST_DATA "/colorchecker.ti3",
                       "--normalize",
                       "5"}
        << "compare: --normalize must be one of none (0), y (1), xyz (2), xyzsum (3), "
           "meanxyz (4), not '5'";
    QTest::newRow("verify prune") << QStringList{"verify",
                                                 "--ti3",
                                                 NC_CLI_TEST_DATA "/colorchecker.ti3",
                                                 "--profile",
                                                 NC_CLI_TEST_DATA "/colorchecker.ti3",
                                                 "--prune",
                                                 "0"}
                                  << "verify: --prune must be a Delta E above 0, not '0'";
    QTest::newRow("verify intent")
        << QStringList{"verify",
                       "--ti3",
                       NC_CLI_TEST_DATA "/colorchecker.ti3",
                       "--profile",
                       NC_CLI_TEST_DATA "/colorchecker.ti3",
                       "--intent",
                       "perceptual"}
        << "verify: --intent must be one of absolute (0), relative (1), not 'perceptual'";
    QTest::newRow("create unknown chart")
        << QStringList{"create",    "--image",         NC_CLI_TEST_DATA "/colorchecker.ti3",
                       "--chart",   "NoSuchChart.cht", "--output",
                       "/tmp/x.icc"}
        << "create: chart 'NoSuchChart.cht' is not in the catalogue";
}

void TestCliCore::commandErrorsAreOneMessage() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    ConsolaPrueba c;
    CancelToken cancel;
    QCOMPARE(EjecutarLineaComandos(args, c.consola, cancel), int(SalidaUso));
    QVERIFY2(c.Errores().contains(message), qPrintable(c.Errores()));
    QVERIFY(c.Salida().isEmpty());
    if (!args.isEmpty() && args.first() != "make") {
        // The message, then where the command's help is: nothing else, nothing run.
        QCOMPARE(c.Errores().count('\n'), 2);
        QVERIFY(c.Errores().endsWith(" --help'.\n"));
    }
}

void TestCliCore::helpForEachCommand() {
    for (const QString& comando : QStringList{"create", "charts", "verify", "compare"}) {
        ConsolaPrueba c;
        CancelToken cancel;
        QCOMPARE(EjecutarLineaComandos({comando, "--help"}, c.consola, cancel),
                 int(SalidaCorrecta));
        QVERIFY2(c.Salida().startsWith("Usage: nerva-chromaflux-cli " + comando),
                 qPrintable(c.Salida()));
        QVERIFY(c.Errores().isEmpty());
    }
    ConsolaPrueba c;
    CancelToken cancel;
    QCOMPARE(EjecutarLineaComandos({"--help"}, c.consola, cancel), int(SalidaCorrecta));
    for (const char* comando : {"create", "charts", "verify", "compare"})
        QVERIFY(c.Salida().contains(QLatin1String("  ") + QLatin1String(comando)));
    // The create help names the window's defaults and every choice.
    ConsolaPrueba d;
    EjecutarLineaComandos({"create", "--help"}, d.consola, cancel);
    QVERIFY(d.Salida().contains("by name or position (gamma-matrix)"));
    QVERIFY(d.Salida().contains("by name or position (high)"));
    QVERIFY(d.Salida().contains("single-curve-matrix (7)"));
    QVERIFY(d.Salida().contains("at most 10 (2.2)"));
}

void TestCliCore::chartsListAsJson() {
    ConsolaPrueba c;
    CancelToken cancel;
    QCOMPARE(EjecutarLineaComandos({"charts", "--json"}, c.consola, cancel), int(SalidaCorrecta));
    const QJsonArray cartas = QJsonDocument::fromJson(c.Salida().toUtf8()).array();
    const ChartCatalog& catalogo = Catalogo();
    QCOMPARE(cartas.size(), catalogo.NumCartas());
    QVERIFY(catalogo.NumCartas() > 0);
    for (int i = 0; i < catalogo.NumCartas(); ++i) {
        const QJsonObject o = cartas.at(i).toObject();
        QCOMPARE(o.value("index").toInt(), i);
        QCOMPARE(o.value("chart").toString(), catalogo.FicheroCarta(i));
        const QString propia = catalogo.BuscarReferenciaPropia(catalogo.FicheroCarta(i));
        QCOMPARE(o.value("own_reference").toString(), propia);
        QCOMPARE(o.value("own_reference").isNull(), propia.isEmpty());
    }
    // The text form: a header and one tab-separated line per chart.
    ConsolaPrueba t;
    EjecutarLineaComandos({"charts"}, t.consola, cancel);
    const QStringList lines = t.Salida().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), catalogo.NumCartas() + 1);
    const int cc = catalogo.IndiceCarta("ColorChecker.cht");
    if (cc >= 0) {
        QCOMPARE(lines.at(cc + 1).split('\t').value(3), QStringLiteral("ColorChecker.cie"));
    }
}

QTEST_GUILESS_MAIN(TestCliCore)
#include "tst_clicore.moc"

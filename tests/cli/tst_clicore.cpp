#include "charts/chartcatalog.h"
#include "cli/cliargs.h"
#include "cli/clichoices.h"
#include "cli/clifrontend.h"
#include "cli/consola.h"
#include "cli/consolelog.h"
#include "cli/createrun.h"
#include "cli/jsonreport.h"
#include "cli/parallelrun.h"
#include "lang/texto.h"
#include "profile/profileoptions.h"
#include "recordinglog.h"
#include "shell/toolrunner.h"
#include "verify/profcheckreport.h"

#include <QBuffer>
#include <QEventLoop>
#include <QFile>
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

// A console writing into a buffer for standard error.
struct ConsolaPrueba {
    QBuffer out;
    QBuffer err;
    Consola consola{out, err};

    ConsolaPrueba() {
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
    }
    QString Errores() const { return QString::fromUtf8(err.data()); }
};

} // namespace

class TestCliCore : public QObject {
    Q_OBJECT

private slots:
    void argumentsAreReadAgainstTheTable();
    void numbersAndChoices();
    void logWritesWholePrefixedLines();
    void logLinesOfThreadsNeverMix();
    void parallelRunBoundsItsThreadsAndStops();
    void frontEndAnswersForTheCommandLine();
    void chartReferenceRule();
    void verificationJson();
    void createJsonAndFailureReasons();
};

void TestCliCore::argumentsAreReadAgainstTheTable() {
    const QList<OpcionCli> tabla{{"image", true, true}, {"chart", true}, {"json"}};
    const ArgumentosCli a = ArgumentosCli::Leer(
        {"--image", "a.tif", "--chart=x=y.cht", "--image=--b.tif", "--json", "--image", ""}, tabla);
    QVERIFY2(a.ok(), qPrintable(a.error()));
    QCOMPARE(a.valores("image"), QStringList({"a.tif", "--b.tif", ""}));
    QCOMPARE(a.valor("chart"), QStringLiteral("x=y.cht"));
    QVERIFY(a.tiene("json") && !ArgumentosCli::Leer({}, tabla).tiene("json"));

    const QList<QPair<QStringList, QString>> errores{
        {{"--colour"}, "unknown option '--colour'"},
        {{"a.tif"}, "unexpected argument 'a.tif'"},
        {{"-chart"}, "unexpected argument '-chart'"},
        {{"--"}, "unexpected argument '--'"},
        {{"--chart"}, "option '--chart' needs a value"},
        // A following option is not taken for the value.
        {{"--chart", "--json"}, "option '--chart' needs a value"},
        {{"--json=1"}, "option '--json' takes no value"},
        {{"--chart", "a", "--chart", "b"}, "option '--chart' given more than once"},
    };
    for (const auto& [args, message] : errores) {
        const ArgumentosCli e = ArgumentosCli::Leer(args, tabla);
        QVERIFY(!e.ok());
        QCOMPARE(e.error(), message);
    }
}

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
                                         "[a.tif] Input file 'x'\n[a.tif] second\n[a.tif] thi\n"
                                         "[a.tif] Leyendo la carta con scanin...\n"
                                         "[a.tif] last words\n[a.tif] \n[a.tif] two\n"
                                         "[a.tif] lines\n[a.tif] tail without break\n"));
    log.AgregarSalidaLog(QString(70 * 1024, 'y')); // a line without end is not held back
    QVERIFY(c.Errores().endsWith("yyy\n"));

    // Silenced: nothing written.
    ConsolaPrueba s;
    RegistroConsola callado(s.consola, QString(), true);
    callado.LogMsg("scanin: x");
    callado.AgregarSalidaLog("Scanin failed with code 0x3\n  \n");
    QVERIFY(s.Errores().isEmpty());
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
        if (m.captured(3).isEmpty()) {
            QCOMPARE(m.captured(5).toInt(), siguiente[h]++);
        } else {
            QCOMPARE(m.captured(4).toInt(), h);
            QCOMPARE(m.captured(3).toInt(), siguiente[h]);
        }
    }
}

void TestCliCore::parallelRunBoundsItsThreadsAndStops() {
    std::atomic<int> enCurso{0};
    std::atomic<int> maximo{0};
    QMutex mutex;
    QList<int> hechas;
    QSet<QThread*> hilos;
    EjecutarEnParalelo(9, 3, [&](int i) {
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
    QCOMPARE(hechas, QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 8}));
    QCOMPARE(maximo.load(), 3);
    QCOMPARE(hilos.size(), 3);
    QVERIFY(!hilos.contains(QThread::currentThread()));

    std::atomic<int> cuenta{0};
    EjecutarEnParalelo(2, 8, [&](int) { ++cuenta; });
    EjecutarEnParalelo(0, 4, [&](int) { ++cuenta; });
    QCOMPARE(cuenta.load(), 2);

    // After the cancel only a task another thread had already taken still runs.
    CancelToken cancel;
    cuenta = 0;
    EjecutarEnParalelo(
        10, 2,
        [&](int i) {
            ++cuenta;
            if (i == 2)
                cancel.cancel();
        },
        &cancel);
    QVERIFY(cuenta.load() >= 3 && cuenta.load() <= 4);
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
    const QString linea = log.lines.value(0);
    QVERIFY(linea.startsWith("Resumen operador: Perfil creado correctamente: | /p/cam.icc"));
    QVERIFY(linea.contains("- TI3: mediciones guardadas"));
    QVERIFY(linea.endsWith(Texto("verify.intent_note"))); // no question to open the folder
    QVERIFY(!linea.contains("Diagnóstico")); // the tmp copy goes with the command's tmp folder
    QVERIFY(sinDiag.PreguntarBorrarCarpeta("/tmp/run"));

    InterlocutorConsola conservando(log, true, false, true);
    conservando.MostrarResumenResultados(r);
    QVERIFY(log.lines.last().contains("- Diagnóstico TIFF: imagen para revisar"));
    QVERIFY(!conservando.PreguntarBorrarCarpeta("/tmp/run"));
    conservando.Avisar("Punto blanco debe estar entre 0.5 y 1.5. Se usará 1.");
    QCOMPARE(log.lines.size(), 3);
}

void TestCliCore::chartReferenceRule() {
    QTemporaryDir ref;
    for (const char* f : {"ColorChecker.cht", "ColorChecker.cie", "ColorCheckerSG.cht",
                          "ColorCheckerSG.ti2", "it8.cht", "QPcard_202.cht"}) {
        QFile file(ref.filePath(QString::fromLatin1(f)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const ChartCatalog catalogo(ref.path(), QString());
    const auto regla = [&](const char* chart, int generics) {
        return ReferenciaDeCarta(catalogo, catalogo.IndiceCarta(QString::fromLatin1(chart)),
                                 generics);
    };
    const ReferenciaCarta generica = regla("ColorChecker.cht", 7);
    QCOMPARE(generica.tipo, ReferenciaCarta::Generica);
    QCOMPARE(generica.generica, 4);
    QCOMPARE(LineaLogReferenciaDeCarta(generica),
             "Referencia genérica asociada a la carta: " + ref.filePath("ColorChecker.cie"));
    const ReferenciaCarta propia = regla("ColorCheckerSG.cht", 7);
    QCOMPARE(propia.tipo, ReferenciaCarta::Propia);
    QCOMPARE(LineaLogReferenciaDeCarta(propia),
             "Referencia personalizada asociada a la carta: " + ref.filePath("ColorCheckerSG.ti2"));
    const ReferenciaCarta ninguna = regla("it8.cht", 7);
    QCOMPARE(ninguna.tipo, ReferenciaCarta::Ninguna);
    QVERIFY(ninguna.ruta.isEmpty());
    QVERIFY(LineaLogReferenciaDeCarta(ninguna).startsWith("Esta carta necesita"));
    // QPcard 202 has generic reference 7 (its file is not tested here); beyond a shorter list
    // it has none, nor its own file.
    QCOMPARE(regla("QPcard_202.cht", 7).ruta, ref.filePath("QPcard_202.cie"));
    QCOMPARE(regla("QPcard_202.cht", 6).tipo, ReferenciaCarta::Ninguna);
    QCOMPARE(ReferenciaDeCarta(catalogo, -1, 7).tipo, ReferenciaCarta::Ninguna);
}

void TestCliCore::verificationJson() {
    const QString salida = LeerDato("colorchecker.profcheck-v2-Ir.txt");
    const CifrasProfcheck cifras = LeerCifrasProfcheck(salida);
    const QJsonObject check = JsonVerificacion(salida).toObject();
    QCOMPARE(check.value("summary").toString(), ResumirProfcheck(salida));
    QVERIFY(check.value("patches").isDouble() && check.value("max").isDouble());
    QCOMPARE(check.value("patches").toInt(), cifras.parches.toInt());
    QCOMPARE(check.value("max").toDouble(), cifras.maximo.toDouble());
    QCOMPARE(check.value("avg").toDouble(), cifras.media.toDouble());
    QCOMPARE(check.value("rms").toDouble(), cifras.rms.toDouble());
    QCOMPARE(check.value("worst").toString(), cifras.peor);

    QList<ErrorParche> errores;
    QVERIFY(LeerDetalleProfcheck(salida, errores));
    const QJsonArray array = JsonErrores(errores);
    QCOMPARE(array.size(), errores.size());
    const QJsonObject ultimo = array.last().toObject();
    QCOMPARE(ultimo.keys(), QStringList({"dc", "de", "dh", "dl", "id"}));
    QCOMPARE(ultimo.value("id").toString(), errores.last().id);
    QCOMPARE(ultimo.value("dh").toDouble(), errores.last().dh);

    // No output: null; output without figures: every field null, none made up.
    QVERIFY(JsonVerificacion(" \n").isNull());
    const QJsonObject parcial =
        JsonVerificacion("Profile check complete, errors: max. = 2.5, avg. = x\n").toObject();
    QCOMPARE(parcial.value("max").toDouble(), 2.5);
    for (const char* key : {"avg", "patches", "rms", "worst"})
        QVERIFY2(parcial.value(key).isNull(), key);
}

void TestCliCore::createJsonAndFailureReasons() {
    TrabajoCreacion bien;
    bien.destino = {"/in/a.tif", "/out/a.icc"};
    bien.ejecutado = true;
    bien.ejecucion.fin = FinCreacion::Correcto;
    bien.ejecucion.resultado.perfil = "/out/a.icc";
    bien.ejecucion.resultado.diagnostico = "/out/a_scanin_diag.tif";
    bien.ejecucion.resultado.salidaVerificacion = LeerDato("colorchecker.profcheck-v2-Ir.txt");
    bien.ejecucion.rcScanin = bien.ejecucion.rcColprof = bien.ejecucion.rcProfcheck = 0;
    TrabajoCreacion mal;
    mal.destino = {"/in/b.png", "/out/b.icc"};
    mal.ejecutado = true;
    mal.ejecucion.rcScanin = 1;
    mal.ejecucion.motivo = "scanin rc=1";
    mal.ejecucion.lineaHerramienta = "scanin: Error - Pattern match wasn't good enough";

    // One line, the keys in the documented order, absent values null.
    QCOMPARE(TextoJson(JsonCreacion(mal, false)),
             QStringLiteral("{\"profile\":null,\"ti3\":null,\"diagnostic\":null,\"scanin_rc\":1,"
                            "\"colprof_rc\":null,\"profcheck_rc\":null,\"read\":null,"
                            "\"check\":null,\"warnings\":[],"
                            "\"error\":\"scanin rc=1 (scanin: Error - Pattern match wasn't good "
                            "enough)\"}\n"));
    const QString texto = TextoJson(JsonCreacion(bien, false));
    QVERIFY2(QRegularExpression(
                 "^\\{\"profile\":\"/out/a.icc\",\"ti3\":null,\"diagnostic\":null,"
                 "\"scanin_rc\":0,\"colprof_rc\":0,\"profcheck_rc\":0,\"read\":null,\"check\":"
                 "\\{\"summary\":\"[^\"]+\",\"patches\":24,\"max\":[0-9.]+,"
                 "\"worst\":\"D06\",\"avg\":[0-9.]+,\"rms\":[0-9.]+,"
                 "\"avg2000\":null,\"max2000\":null\\},\"warnings\":\\[\\],\"error\":null\\}\n$")
                 .match(texto)
                 .hasMatch(),
             qPrintable(texto));
    QCOMPARE(JsonCreacion(bien, true).value("diagnostic").toString(), "/out/a_scanin_diag.tif");
    QCOMPARE(TextoJson(QJsonArray{QJsonObject{{"zeta", 1}, {"dh", "é\"x"}, {"id", 2.5}}}),
             QStringLiteral("[{\"id\":2.5,\"dh\":\"é\\\"x\",\"zeta\":1}]\n"));

    const QJsonObject lote = JsonLote({bien, mal}, false);
    QCOMPARE(QJsonDocument::fromJson(TextoJson(lote).toUtf8()).object(), lote);
    QCOMPARE(lote.value("written").toInt(), 1);
    QCOMPARE(lote.value("failed").toInt(), 1);
    const QJsonArray perfiles = lote.value("profiles").toArray();
    QCOMPARE(perfiles.at(0).toObject().value("image").toString(), "/in/a.tif");
    QVERIFY(perfiles.at(0).toObject().value("error").isNull());
    // The reason of a tool failure carries the tool's last word.
    QCOMPARE(perfiles.at(1).toObject().value("error").toString(),
             "scanin rc=1 (" + mal.ejecucion.lineaHerramienta + ")");

    // Other reasons stand alone, on one line.
    mal.ejecucion.rcScanin = mal.ejecucion.rcColprof = 0;
    mal.ejecucion.motivo = "No se puede crear el perfil. Faltan datos:\n- Tipo de carta";
    QCOMPARE(MotivoFallo(mal), "No se puede crear el perfil. Faltan datos: - Tipo de carta");
    mal.ejecutado = false;
    QCOMPARE(MotivoFallo(mal), Texto("cli.not_run"));
    QVERIFY(MotivoFallo(bien).isEmpty() && PerfilEscrito(bien) && !PerfilEscrito(mal));
}

QTEST_GUILESS_MAIN(TestCliCore)
#include "tst_clicore.moc"

#include "cliprocess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QtTest>

// The program as scripts call it, on arguments it must refuse: one clear message on standard
// error, nothing on standard output, status 2, and nothing written.
class TestCliProgram : public QObject {
    Q_OBJECT

private slots:
    void refusedArguments_data();
    void refusedArguments();
    void helpAndCharts();
};

void TestCliProgram::refusedArguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown option")
        << QStringList{"create", "--image", "a.tif", "--chrat", "ColorChecker.cht"}
        << "nerva-chromaflux-cli create: unknown option '--chrat'\n";
    QTest::newRow("missing image")
        << QStringList{"create",           "--image",  "/nonexistent/a.tif", "--chart",
                       "ColorChecker.cht", "--output", "/tmp/a.icc"}
        << "nerva-chromaflux-cli create: image not found: "
           "/nonexistent/a.tif\n";
    QTest::newRow("unknown chart")
        << QStringList{"create",      "--image",  "{image}",    "--chart",
                       "Chart42.cht", "--output", "{dir}/a.icc"}
        << "nerva-chromaflux-cli create: chart 'Chart42.cht' is not "
           "in the catalogue (see 'charts')\n";
    QTest::newRow("out of range") << QStringList{"create",      "--image",          "{image}",
                                                 "--chart",     "ColorChecker.cht", "--output",
                                                 "{dir}/a.icc", "--white-point",    "2"}
                                  << "nerva-chromaflux-cli create: --white-point must be a "
                                     "number from 0.5 to 1.5, not '2'\n";
    QTest::newRow("verify missing profile")
        << QStringList{"verify", "--ti3", "{image}", "--profile", "{dir}/none.icc"}
        << "nerva-chromaflux-cli verify: --profile file not found: {dir}/none.icc\n";
    QTest::newRow("verify prune")
        << QStringList{"verify", "--ti3", "{image}", "--profile", "{image}", "--prune", "0"}
        << "nerva-chromaflux-cli verify: --prune must be a Delta E above 0, not '0'\n";
    QTest::newRow("verify time limit")
        << QStringList{"verify", "--ti3", "{image}", "--profile", "{image}", "--timeout", "0"}
        << "nerva-chromaflux-cli verify: --timeout must be a number of seconds above 0 and at "
           "most 86400, not '0'\n";
    QTest::newRow("compare normalisation")
        << QStringList{"compare", "--reference", "{image}", "--measured",
                       "{image}", "--normalize", "5"}
        << "nerva-chromaflux-cli compare: --normalize must be one of none (0), y (1), xyz (2), "
           "xyzsum (3), meanxyz (4), not '5'\n";
    QTest::newRow("kept TI3 over the reference")
        << QStringList{"create",          "--image",   "{image}",          "--reference",
                       "{dir}/chart.ti3", "--chart",   "ColorChecker.cht", "--output",
                       "{dir}/chart.icc", "--save-ti3"}
        << "nerva-chromaflux-cli create: the output {dir}/chart.ti3 is one of the inputs\n";
    QTest::newRow("charts option") << QStringList{"charts", "--all"}
                                   << "nerva-chromaflux-cli charts: unknown option '--all'\n";
    QTest::newRow("unknown command")
        << QStringList{"profile"} << "nerva-chromaflux-cli: unknown command 'profile'\n";
    // --language overrides the locale's language (English here), wherever it stands.
    QTest::newRow("French") << QStringList{"--language", "fr", "profile"}
                            << "nerva-chromaflux-cli : commande inconnue 'profile'\n";
    QTest::newRow("Italian") << QStringList{"profile", "--language=it"}
                             << "nerva-chromaflux-cli: comando sconosciuto 'profile'\n";
    QTest::newRow("unknown language")
        << QStringList{"--language", "de", "charts"}
        << "nerva-chromaflux-cli: --language takes es, en, fr or it, not 'de'\n";
}

void TestCliProgram::refusedArguments() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString image = dir.filePath("chart.tif");
    for (const QString& name : {image, dir.filePath("chart.ti3")}) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    for (QString& arg : args)
        arg.replace("{image}", image).replace("{dir}", dir.path());
    message.replace("{dir}", dir.path());

    const SalidaPrograma s = EjecutarCli(args, dir.path());
    QCOMPARE(s.rc, 2);
    QVERIFY(s.out.isEmpty());
    QVERIFY2(s.err.startsWith(message), qPrintable(s.err));
    QCOMPARE(s.err.count('\n'), 2); // the message and where the help is
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList({"chart.ti3", "chart.tif"}));
}

void TestCliProgram::helpAndCharts() {
    for (const QString& comando : QStringList{"create", "charts", "verify", "compare"}) {
        const SalidaPrograma ayuda = EjecutarCli({comando, "--help"});
        QCOMPARE(ayuda.rc, 0);
        QVERIFY(ayuda.out.startsWith("Usage: nerva-chromaflux-cli " + comando + " "));
        QVERIFY(ayuda.err.isEmpty());
    }
    // The create help names the window's start selections.
    const QString create = EjecutarCli({"create", "--help"}).out;
    for (const char* text : {"position (gamma-matrix):", "position (high):",
                             "position (perceptual):", "at most 10 (2.2)", "(Device)"})
        QVERIFY2(create.contains(QLatin1String(text)), text);
    const SalidaPrograma sin = EjecutarCli({});
    QCOMPARE(sin.rc, 2);
    QVERIFY(sin.err.startsWith("Usage: nerva-chromaflux-cli COMMAND"));

    const SalidaPrograma charts = EjecutarCli({"charts", "--json"});
    QCOMPARE(charts.rc, 0);
    const QJsonArray cartas = charts.json().array();
    QVERIFY(!cartas.isEmpty());
    bool colorChecker = false;
    for (const QJsonValue& v : cartas) {
        const QJsonObject o = v.toObject();
        QVERIFY(o.value("chart").toString().endsWith(".cht"));
        QVERIFY(QFileInfo::exists("/usr/share/color/argyll/ref/" + o.value("chart").toString()));
        if (o.value("chart").toString() == "ColorChecker.cht") {
            colorChecker = true;
            QCOMPARE(o.value("generic_reference").toString(), QStringLiteral("ColorChecker.cie"));
        }
    }
    QVERIFY(colorChecker);
    // The text form: a header, then a tab-separated line per chart.
    const SalidaPrograma texto = EjecutarCli({"charts"});
    QCOMPARE(texto.out.count('\n'), cartas.size() + 1);
    QVERIFY(texto.out.startsWith("index\tname\tchart\tgeneric reference\town reference\n"));
    // Results that cannot be written are a failure, with the reason.
    QProcess lleno;
    lleno.setStandardOutputFile("/dev/full");
    lleno.start(QStringLiteral(NC_CLI_PROGRAM), {"charts"});
    QVERIFY(lleno.waitForFinished());
    QCOMPARE(lleno.exitCode(), 1);
    QVERIFY(lleno.readAllStandardError().contains("cannot write the output: "));
}

QTEST_GUILESS_MAIN(TestCliProgram)
#include "tst_cliprogram.moc"

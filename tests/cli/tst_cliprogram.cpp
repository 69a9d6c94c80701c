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
    QTest::newRow("unknown command")
        << QStringList{"profile"} << "nerva-chromaflux-cli: unknown command 'profile'\n";
}

void TestCliProgram::refusedArguments() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString image = dir.filePath("chart.tif");
    QFile file(image);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    for (QString& arg : args)
        arg.replace("{image}", image).replace("{dir}", dir.path());
    message.replace("{dir}", dir.path());

    const SalidaPrograma s = EjecutarCli(args, dir.path());
    QCOMPARE(s.rc, 2);
    QVERIFY(s.out.isEmpty());
    QVERIFY2(s.err.startsWith(message), qPrintable(s.err));
    QCOMPARE(s.err.count('\n'), 2); // the message and where the help is
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"chart.tif"});
}

void TestCliProgram::helpAndCharts() {
    const SalidaPrograma ayuda = EjecutarCli({"create", "--help"});
    QCOMPARE(ayuda.rc, 0);
    QVERIFY(ayuda.out.contains("--output-dir DIR"));
    QVERIFY(ayuda.err.isEmpty());
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
}

QTEST_GUILESS_MAIN(TestCliProgram)
#include "tst_cliprogram.moc"

#include "profcheckoracle.h"
#include "verify/profcheckreport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Runs the installed colprof and profcheck on the committed measurement files and reads the
// live output.
class TestProfcheckLive : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void liveOutput_data();
    void liveOutput();

private:
    QString Run(const QString& program, const QStringList& arguments);
    QTemporaryDir dir_;
};

QString TestProfcheckLive::Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setWorkingDirectory(dir_.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        qWarning("%s failed: %s", qPrintable(program), process.readAll().constData());
    return QString::fromUtf8(process.readAll());
}

void TestProfcheckLive::initTestCase() {
    QVERIFY(dir_.isValid());
    for (const QString base : {"colorchecker", "spread100"}) {
        QVERIFY(QFile::copy(QStringLiteral(NC_VERIFY_DATA "/") + base + ".ti3",
                            dir_.filePath(base + ".ti3")));
        Run("colprof", {"-v", "-ag", "-qh", base});
        QVERIFY2(QFile::exists(dir_.filePath(base + ".icc")), "colprof made no profile");
    }
}

void TestProfcheckLive::liveOutput_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("detail");
    QTest::newRow("-v2 -Ir") << "colorchecker" << QStringList{"-v2", "-Ir"} << true;
    QTest::newRow("-v2 -s -Ia") << "colorchecker" << QStringList{"-v2", "-s", "-Ia"} << true;
    QTest::newRow("-v -Ir") << "colorchecker" << QStringList{"-v", "-Ir"} << false;
    QTest::newRow("-v -s -Ia") << "colorchecker" << QStringList{"-v", "-s", "-Ia"} << false;
    QTest::newRow("100 -v2 -s") << "spread100" << QStringList{"-v2", "-s", "-Ir"} << true;
}

void TestProfcheckLive::liveOutput() {
    QFETCH(QString, base);
    QFETCH(QStringList, options);
    QFETCH(bool, detail);
    const QString output = Run("profcheck", options << base + ".ti3" << base + ".icc");
    const OracleReport oracle = LeerConOraculo(output);
    QVERIFY2(!oracle.maximum.isEmpty() && !oracle.count.isEmpty(), qPrintable(output));
    QCOMPARE(ResumirProfcheck(output), ResumenEsperado(oracle));
    QList<ErrorParche> patches;
    QCOMPARE(LeerDetalleProfcheck(output, patches), detail);
    QCOMPARE(patches.size(), detail ? oracle.count.toInt() : 0);
    QCOMPARE(patches.size(), oracle.patches.size());
    for (qsizetype i = 0; i < patches.size(); ++i) {
        QCOMPARE(patches[i].id, oracle.patches[i].id);
        QCOMPARE(patches[i].de, oracle.patches[i].de);
        QVERIFY(qAbs(patches[i].dh - oracle.patches[i].dh) < 1e-9);
    }
}

QTEST_APPLESS_MAIN(TestProfcheckLive)
#include "tst_profcheck_live.moc"

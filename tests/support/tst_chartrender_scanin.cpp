// The real ArgyllCMS scanin reads the renderer's captures: every patch found, each with the
// value the renderer put there (a chart read one column off or turned would fail that).

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <cmath>

#include "chartcapture.h"
#include "chartrenderer.h"
#include "charts/sampleid.h"

using namespace chartrender;

namespace {

// The width of the build's sample capture.
constexpr int kColorCheckerWidth = 2200;

struct ToolRun {
    int exitCode = -1;
    QString output;
};

ToolRun runTool(const QString& tool, const QStringList& args, const QString& folder) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStandardPaths::findExecutable(tool), args);
    ToolRun run;
    // Generous: the tools share the machine with parallel builds and tests.
    if (!process.waitForFinished(400000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.output = QString::fromLocal8Bit(process.readAll());
    return run;
}

// Device values (0..100) of a scanin TI3 by patch key.
QHash<QString, std::array<double, 3>> readTi3(const QString& path) {
    QHash<QString, std::array<double, 3>> values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return values;
    const QStringList lines = QString::fromLatin1(file.readAll()).split('\n');
    const qsizetype format = lines.indexOf("BEGIN_DATA_FORMAT");
    const qsizetype begin = lines.indexOf("BEGIN_DATA");
    if (format < 0 || begin < 0)
        return values;
    const QStringList fields = lines[format + 1].split(' ', Qt::SkipEmptyParts);
    const qsizetype id = fields.indexOf("SAMPLE_ID");
    const qsizetype red = fields.indexOf("RGB_R");
    for (qsizetype i = begin + 1; i < lines.size() && lines[i] != u"END_DATA"; ++i) {
        const QStringList row = lines[i].split(' ', Qt::SkipEmptyParts);
        if (row.size() == fields.size())
            values.insert(sampleKey(row[id]),
                          {row[red].toDouble(), row[red + 1].toDouble(), row[red + 2].toDouble()});
    }
    return values;
}

// Every rendered patch is in the TI3 with the value rendered at its centre.
void compareReading(const RenderInfo& info, const QString& ti3) {
    const auto values = readTi3(ti3);
    QCOMPARE(values.size(), qsizetype(info.patchCount));
    for (const RenderedPatch& patch : info.patches) {
        const QString key = sampleKey(patch.id);
        QVERIFY2(values.contains(key), qPrintable(patch.id));
        for (int c = 0; c < 3; ++c) {
            const double got = values[key][c];
            QVERIFY2(std::abs(got - 100 * patch.device[c]) < 2.0,
                     qPrintable(QStringLiteral("%1 channel %2: read %3, rendered %4")
                                    .arg(patch.id)
                                    .arg(c)
                                    .arg(got)
                                    .arg(100 * patch.device[c])));
        }
    }
}

double reportNumber(const QString& report, const QString& name) {
    const QRegularExpression re(name + QStringLiteral(" = ([0-9.]+)"));
    const QRegularExpressionMatch m = re.match(report);
    return m.hasMatch() ? m.captured(1).toDouble() : -1;
}

} // namespace

class TestChartRenderScanin : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void automaticRecognition_data();
    void automaticRecognition();
    void colorCheckerProfile();
    void fiducialsOnWarpedCapture_data();
    void fiducialsOnWarpedCapture();

private:
    QTemporaryDir m_dir;
};

void TestChartRenderScanin::initTestCase() {
    QVERIFY(m_dir.isValid());
    for (const char* tool : {"scanin", "colprof", "profcheck"})
        QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(), tool);
}

// The widths are ones where scanin's orientation test passes with some margin: for charts whose
// rows and columns share one pitch (ColorChecker, SpyderChecker24, QPcard 202) the worst
// orientation scores 0.3 to 0.49 of the best at most sizes, against a limit of 0.5.
void TestChartRenderScanin::automaticRecognition_data() {
    QTest::addColumn<QString>("chart");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("portrait");
    QTest::addColumn<bool>("deep");
    QTest::newRow("ColorChecker") << "ColorChecker" << kColorCheckerWidth << false << false;
    QTest::newRow("ColorCheckerPassport") << "ColorCheckerPassport" << 1400 << false << false;
    QTest::newRow("SpyderChecker") << "SpyderChecker" << 1400 << false << false;
    QTest::newRow("SpyderChecker24") << "SpyderChecker24" << 1800 << false << false;
    QTest::newRow("QPcard_201") << "QPcard_201" << 1400 << false << true;
    QTest::newRow("QPcard_202") << "QPcard_202" << 1200 << false << false;
    QTest::newRow("QPcard_202 portrait") << "QPcard_202" << 900 << true << false;
    QTest::newRow("CMP_Digital_Target-4") << "CMP_Digital_Target-4" << 1400 << false << false;
}

void TestChartRenderScanin::automaticRecognition() {
    QFETCH(QString, chart);
    QFETCH(int, width);
    QFETCH(bool, portrait);
    QFETCH(bool, deep);
    RenderOptions options = chartCaptureOptions(chart, width);
    options.portrait = portrait;
    options.bitsPerChannel = deep ? 16 : 8;
    const QString base = chart + (portrait ? "_portrait" : "");
    const QString image = m_dir.filePath(base + ".tif");
    RenderInfo info;
    QString error;
    QVERIFY2(renderChart(options, image, &error, &info), qPrintable(error));
    const ToolRun run =
        runTool("scanin", {image, options.chtFile, options.referenceFile}, m_dir.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.output));
    compareReading(info, m_dir.filePath(base + ".ti3"));
}

void TestChartRenderScanin::colorCheckerProfile() {
    const RenderOptions options = chartCaptureOptions("ColorChecker", kColorCheckerWidth);
    const QString image = m_dir.filePath("profiled.tif");
    QString error;
    QVERIFY2(renderChart(options, image, &error), qPrintable(error));
    ToolRun run = runTool("scanin", {image, options.chtFile, options.referenceFile}, m_dir.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.output));
    run = runTool("colprof", {"-ag", "-qh", "profiled"}, m_dir.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.output));
    run = runTool("profcheck", {"-v", "-Ir", "profiled.ti3", "profiled.icc"}, m_dir.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.output));
    const double average = reportNumber(run.output, "avg.");
    const double maximum = reportNumber(run.output, "max.");
    QVERIFY2(average >= 0 && average < 5, qPrintable(run.output));
    QVERIFY2(maximum >= 0 && maximum < 15, qPrintable(run.output));
}

void TestChartRenderScanin::fiducialsOnWarpedCapture_data() {
    QTest::addColumn<QStringList>("flags");
    QTest::newRow("-F") << QStringList{"-F"};
    QTest::newRow("-p -F") << QStringList{"-p", "-F"};
}

// A strongly keystoned, turned capture, located by the fiducials the renderer reports.
void TestChartRenderScanin::fiducialsOnWarpedCapture() {
    QFETCH(QStringList, flags);
    RenderOptions options = chartCaptureOptions("ColorChecker");
    options.perspective = 0.5;
    options.rotationDeg = 7;
    const QString base = flags.size() == 1 ? "warped" : "warped_p";
    const QString image = m_dir.filePath(base + ".tif");
    RenderInfo info;
    QString error;
    QVERIFY2(renderChart(options, image, &error, &info), qPrintable(error));
    QVERIFY(info.hasFiducials);
    const ToolRun run = runTool(
        "scanin",
        flags + QStringList{info.fiducialArgument(), image, options.chtFile, options.referenceFile},
        m_dir.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.output));
    compareReading(info, m_dir.filePath(base + ".ti3"));
}

QTEST_GUILESS_MAIN(TestChartRenderScanin)
#include "tst_chartrender_scanin.moc"

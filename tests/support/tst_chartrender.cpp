// The real ArgyllCMS scanin reads the renderer's captures, one chart of each family: every
// patch found, each with the value the renderer put there (a chart read one column off or
// turned would fail that), and a profile made from one of them checks well. And the chart
// references as the renderer and the application read them.

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
#include "charts/cgatstable.h"
#include "charts/referencevalues.h"
#include "charts/sampleid.h"
#include "image/iccdescription.h"

using namespace chartrender;

namespace {

// The tool's merged output, or why it failed.
QString runTool(const QString& tool, const QStringList& args, const QString& folder, bool* ok) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStandardPaths::findExecutable(tool), args);
    // Generous: the tools share the machine with parallel builds and tests.
    *ok = process.waitForFinished(400000) && process.exitStatus() == QProcess::NormalExit &&
          process.exitCode() == 0;
    return tool + ": " + QString::fromLocal8Bit(process.readAll());
}

// Every rendered patch is in the TI3 with the value (0..100) rendered at its centre.
void compareReading(const RenderInfo& info, const QString& ti3) {
    CgatsTable table;
    QString error;
    QVERIFY2(ReadCgatsTable(ti3, &table, &error), qPrintable(error));
    const qsizetype id = table.field(u"SAMPLE_ID");
    const qsizetype red = table.triple(u"RGB_R", u"RGB_G", u"RGB_B");
    QHash<QString, QStringList> rows;
    for (const QStringList& row : table.rows)
        rows.insert(sampleKey(row[id]), row);
    QCOMPARE(rows.size(), qsizetype(info.patchCount));
    for (const RenderedPatch& patch : info.patches) {
        const QStringList row = rows.value(sampleKey(patch.id));
        QVERIFY2(red >= 0 && !row.isEmpty(), qPrintable(patch.id));
        for (int c = 0; c < 3; ++c)
            QVERIFY2(std::abs(row[red + c].toDouble() - 100 * patch.device[c]) < 2.0,
                     qPrintable(QStringLiteral("%1 channel %2 read %3")
                                    .arg(patch.id)
                                    .arg(c)
                                    .arg(row[red + c])));
    }
}

} // namespace

class TestChartRender : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        for (const char* tool : {"scanin", "colprof", "profcheck"})
            QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(), tool);
    }

    // The widths are ones where scanin's orientation test passes with some margin: for charts
    // whose rows and columns share one pitch the worst orientation scores 0.3 to 0.49 of the
    // best at most sizes, against a limit of 0.5.
    void automaticRecognition_data() {
        QTest::addColumn<QString>("chart");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("portrait");
        QTest::addColumn<int>("bits");
        QTest::newRow("ColorChecker") << "ColorChecker" << 2200 << false << 8;
        QTest::newRow("SpyderChecker") << "SpyderChecker" << 1400 << false << 8;
        QTest::newRow("QPcard_201 16-bit") << "QPcard_201" << 1400 << false << 16;
        QTest::newRow("QPcard_202 portrait") << "QPcard_202" << 900 << true << 8;
        QTest::newRow("CMP_Digital_Target-4") << "CMP_Digital_Target-4" << 1400 << false << 8;
    }

    void automaticRecognition() {
        QFETCH(QString, chart);
        QFETCH(int, width);
        QFETCH(bool, portrait);
        QFETCH(int, bits);
        RenderOptions options = chartCaptureOptions(chart, width);
        options.portrait = portrait;
        options.bitsPerChannel = bits;
        RenderInfo info;
        QString error;
        QVERIFY2(renderChart(options, m_dir.filePath(chart + ".tif"), &error, &info),
                 qPrintable(error));
        bool ok = false;
        QString output = runTool("scanin", {chart + ".tif", options.chtFile, options.referenceFile},
                                 m_dir.path(), &ok);
        QVERIFY2(ok, qPrintable(output));
        compareReading(info, m_dir.filePath(chart + ".ti3"));
        if (chart != u"ColorChecker")
            return;
        // colprof keeps the UTF-8 of a description in the profile's 7-bit text.
        const QString texto = QString::fromUtf8("Escáner Ñandú — 2ª prueba");
        output = runTool("colprof", {"-ag", "-qh", "-D", texto, chart}, m_dir.path(), &ok);
        QVERIFY2(ok, qPrintable(output));
        QFile icc(m_dir.filePath(chart + ".icc"));
        QVERIFY(icc.open(QIODevice::ReadOnly));
        QCOMPARE(DescripcionPerfilICC(icc.readAll()), texto);
        output =
            runTool("profcheck", {"-v", "-Ir", chart + ".ti3", chart + ".icc"}, m_dir.path(), &ok);
        QVERIFY2(ok, qPrintable(output));
        const QRegularExpressionMatch m =
            QRegularExpression("max. = ([0-9.]+), avg. = ([0-9.]+)").match(output);
        QVERIFY2(m.hasMatch() && m.captured(1).toDouble() < 15 && m.captured(2).toDouble() < 5,
                 qPrintable(output));
    }

    // SAMPLE_LOC names the patch where both it and SAMPLE_ID exist; quoted ids, comments and
    // padded numbers are read; Lab becomes XYZ; broken tables fail with their reason.
    void references() {
        ReferenceValues values;
        QString error;
        Xyz value;
        QVERIFY(values.load(argyllRefFile("CMP_Digital_Target-4.cie"), &error));
        QVERIFY(values.find("B1", &value) && !values.find("2", &value));
        QTemporaryDir dir;
        const auto load = [&](const QByteArray& text) {
            QFile file(dir.filePath("r.cie"));
            if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
                return false;
            file.close();
            return values.load(file.fileName(), &error);
        };
        const QByteArray head = "CGATS.17\n# comment\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L LAB_A "
                                "LAB_B\nEND_DATA_FORMAT\nBEGIN_DATA\n";
        QVERIFY2(load(head + "\"Patch 1\" 100 0 0 # white\nP2 50 0 0\nEND_DATA\n"),
                 qPrintable(error));
        QVERIFY(values.size() == 2 && values.find("PATCH 1", &value) && values.find("p02", &value));
        QVERIFY(std::abs(value.y - 18.42) < 0.01 && std::abs(value.x - 0.9642 * value.y) < 0.01);
        const std::pair<QByteArray, QString> broken[] = {
            {head + "A1 1 2 3\nA2 4 5\n", "cut short"},
            {head + "A1 1 x 3\nEND_DATA\n", "bad number"},
            {QByteArray(head).replace("LAB_", "RGB_") + "A1 1 2 3\nEND_DATA\n", "XYZ or LAB"},
            {"CGATS.17\nDESCRIPTOR \"x\"\n", "table"}};
        for (const auto& [text, reason] : broken) {
            QVERIFY(!load(text));
            QVERIFY2(error.contains(reason), qPrintable(error));
        }
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestChartRender)
#include "tst_chartrender.moc"

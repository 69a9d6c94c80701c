// The chart renderer without ArgyllCMS tools: .cht and reference parsing, the camera model, the
// layout, and what the written images hold.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <FreeImage.h>

#include <cmath>

#include "cameramodel.h"
#include "chartcapture.h"
#include "chartlayout.h"
#include "chartrenderer.h"
#include "charts/chartdefinition.h"
#include "charts/referencevalues.h"
#include "charts/sampleid.h"
#include "chartscene.h"

using namespace chartrender;

namespace {

const char* const kSevenCharts[] = {"ColorChecker",        "ColorCheckerPassport", "SpyderChecker",
                                    "SpyderChecker24",     "QPcard_201",           "QPcard_202",
                                    "CMP_Digital_Target-4"};

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& text) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return QString();
    return path;
}

QStringList sampleIds(const ChartDefinition& chart) {
    QStringList ids;
    for (const ChartBox& box : chart.samples())
        ids << box.id;
    return ids;
}

// A chart exercising every label rule: numbers with carry, letters with carry, zero padding.
const QByteArray kSmallChart = R"(
BOXES 11
  F _ _ 1 2 30 2 30 20 45 20
  D ALL ALL _ _ 40 25 0 0 0 0
  Y 8 11 A A 4 4 2 3 5 0

  X Y AB _ _ 3 3 2 10 4 0
  X GS09 GS10 _ _ 2 2 2 15 3 0

BOX_SHRINK 1.5

REF_ROTATION 0.25

XLIST 2
  2 1 1
  6 0.5 0.75

YLIST 1
  3 1 1

EXPECTED LAB 1
  A8 50 0 0
)";

} // namespace

class TestChartRender : public QObject {
    Q_OBJECT

private slots:
    void sampleKeys_data();
    void sampleKeys();
    void chartLabelsAndGeometry();
    void chartErrors_data();
    void chartErrors();
    void catalogueCharts();
    void referenceFiles();
    void referenceErrors_data();
    void referenceErrors();
    void sevenChartsHaveEveryColour();
    void cameraModel();
    void layout();
    void printedFeatures();
    void renderedValues();
    void tiffDepthAndProfile();
    void renderOptionErrors_data();
    void renderOptionErrors();
    void patchColourSources();
    void seedDecidesNoise();
};

void TestChartRender::sampleKeys_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("key");
    QTest::newRow("padded") << "A01"
                            << "A1";
    QTest::newRow("plain") << "A1"
                           << "A1";
    QTest::newRow("lower case") << "d06"
                                << "D6";
    QTest::newRow("all zeros") << "GS00"
                               << "GS0";
    QTest::newRow("inner zero") << "GS10"
                                << "GS10";
    QTest::newRow("number") << "100"
                            << "100";
    QTest::newRow("leading number") << "02A"
                                    << "2A";
    QTest::newRow("blanks") << " SAT1 "
                            << "SAT1";
}

void TestChartRender::sampleKeys() {
    QFETCH(QString, id);
    QFETCH(QString, key);
    QCOMPARE(sampleKey(id), key);
}

void TestChartRender::chartLabelsAndGeometry() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ChartDefinition chart;
    QString error;
    QVERIFY2(chart.load(writeFile(dir, "small.cht", kSmallChart), &error), qPrintable(error));
    QCOMPARE(sampleIds(chart),
             QStringList({"A8", "A9", "A10", "A11", "Y", "Z", "AA", "AB", "GS09", "GS10"}));
    QCOMPARE(chart.boxes().size(), 11);
    QCOMPARE(chart.boxes().first().id, QStringLiteral("ALL"));
    QVERIFY(!chart.boxes().first().sample);
    QCOMPARE(chart.samples()[2].rect, QRectF(12, 3, 4, 4));
    QCOMPARE(chart.samples()[7].rect, QRectF(14, 10, 3, 3));
    QVERIFY(chart.hasFiducials());
    QCOMPARE(chart.fiducials()[3], QPointF(45, 20));
    QCOMPARE(chart.boxShrink(), 1.5);
    QCOMPARE(chart.refRotation(), 0.25);
    QCOMPARE(chart.xTicks().size(), 2);
    QCOMPARE(chart.xTicks()[1].strength, 0.5);
    QCOMPARE(chart.xTicks()[1].crossings, 0.75);
    QCOMPARE(chart.yTicks().size(), 1);
    QVERIFY(chart.expected().contains("A8"));
    QVERIFY(std::abs(chart.expected()["A8"].y - 18.42) < 0.01);
    // The fiducial at x = 45 lies outside every box.
    QCOMPARE(chart.extent(), QRectF(0, 0, 45, 25));
}

void TestChartRender::chartErrors_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("count") << QByteArray(kSmallChart).replace("BOXES 11", "BOXES 12")
                           << "BOXES says 12";
    QTest::newRow("kind") << QByteArray(kSmallChart).replace("  D ALL", "  Q ALL")
                          << "unknown box kind Q";
    QTest::newRow("short box line")
        << QByteArray(kSmallChart).replace("4 4 2 3 5 0", "4 4 2 3") << "short box line";
    QTest::newRow("endless labels")
        << QByteArray(kSmallChart).replace("GS09 GS10", "GS09 G-10") << "never ends";
    QTest::newRow("edge list cut")
        << QByteArray(kSmallChart).replace("XLIST 2", "XLIST 5") << "edge list";
    QTest::newRow("no boxes") << QByteArray("XLIST 0\n") << "no BOXES";
}

void TestChartRender::chartErrors() {
    QFETCH(QByteArray, text);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    ChartDefinition chart;
    QString error;
    QVERIFY(!chart.load(writeFile(dir, "bad.cht", text), &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(!chart.load(dir.filePath("missing.cht"), &error));
    QVERIFY(error.contains("cannot open"));
}

void TestChartRender::catalogueCharts() {
    const QDir ref(argyllRefFile(QString()));
    const QStringList files = ref.entryList({"*.cht"}, QDir::Files);
    QVERIFY(files.size() >= 7);
    for (const QString& name : files) {
        ChartDefinition chart;
        QString error;
        QVERIFY2(chart.load(ref.filePath(name), &error), qPrintable(error));
        QVERIFY2(!chart.samples().isEmpty(), qPrintable(name));
        QVERIFY2(chart.extent().width() > 0 && chart.extent().height() > 0, qPrintable(name));
    }
    ChartDefinition cc;
    QString error;
    QVERIFY(cc.load(argyllRefFile("ColorChecker.cht"), &error));
    QCOMPARE(cc.samples().size(), 24);
    QCOMPARE(cc.samples().first().id, QStringLiteral("A1"));
    QCOMPARE(cc.samples().first().rect, QRectF(12, 11.5, 46, 46));
    QCOMPARE(cc.samples().last().id, QStringLiteral("D6"));
    QCOMPARE(cc.xTicks().size(), 12);
    QCOMPARE(cc.expected().size(), 24);
    ChartDefinition cmp;
    QVERIFY(cmp.load(argyllRefFile("CMP_Digital_Target-4.cht"), &error));
    QCOMPARE(cmp.samples().size(), 570);
    QVERIFY(sampleIds(cmp).contains("2D19"));
    ChartDefinition passport;
    QVERIFY(passport.load(argyllRefFile("ColorCheckerPassport.cht"), &error));
    QCOMPARE(passport.samples().size(), 50);
    QCOMPARE(passport.samples().first().id, QStringLiteral("SAT1"));
    QCOMPARE(passport.samples()[1].rect.top(), 102.1 - 12.9);
}

void TestChartRender::referenceFiles() {
    QString error;
    ReferenceValues cc;
    QVERIFY2(cc.load(argyllRefFile("ColorChecker.cie"), &error), qPrintable(error));
    QCOMPARE(cc.size(), 24);
    Xyz value;
    QVERIFY(cc.find("A1", &value));
    const Xyz expected = labToXyz(37.99, 13.56, 14.06);
    QCOMPARE(value.x, expected.x);
    QCOMPARE(value.z, expected.z);
    QVERIFY(!cc.find("E1", &value));

    // SAMPLE_LOC names the patch where both it and a numeric SAMPLE_ID exist.
    ReferenceValues cmp;
    QVERIFY(cmp.load(argyllRefFile("CMP_Digital_Target-4.cie"), &error));
    QVERIFY(cmp.find("B1", &value));
    QCOMPARE(value.y, 34.054);
    QVERIFY(!cmp.find("2", &value));

    QTemporaryDir dir;
    const QString path = writeFile(dir, "q.cie", R"(CGATS.17
# a comment line
NUMBER_OF_FIELDS 4
BEGIN_DATA_FORMAT
SAMPLE_ID LAB_L LAB_A LAB_B
END_DATA_FORMAT
NUMBER_OF_SETS 2
BEGIN_DATA
"Patch 1" 100 0 0 # white
P2 50 0 0
END_DATA
)");
    ReferenceValues quoted;
    QVERIFY2(quoted.load(path, &error), qPrintable(error));
    QCOMPARE(quoted.size(), 2);
    QVERIFY(quoted.find("PATCH 1", &value));
    QVERIFY(std::abs(value.x - 96.42) < 1e-9 && std::abs(value.z - 82.49) < 1e-9);
    QVERIFY(quoted.find("p02", &value));
}

void TestChartRender::referenceErrors_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("reason");
    const QByteArray head = "BEGIN_DATA_FORMAT\nSAMPLE_ID XYZ_X XYZ_Y XYZ_Z\nEND_DATA_FORMAT\n";
    QTest::newRow("cut short") << head + "BEGIN_DATA\nA1 1 2 3\nA2 4 5\n"
                               << "cut short";
    QTest::newRow("not a number") << head + "BEGIN_DATA\nA1 1 x 3\nEND_DATA\n"
                                  << "bad number";
    QTest::newRow("no colour fields")
        << QByteArray("BEGIN_DATA_FORMAT\nSAMPLE_ID RGB_R RGB_G RGB_B\nEND_DATA_FORMAT\n"
                      "BEGIN_DATA\nA1 1 2 3\nEND_DATA\n")
        << "without a sample id";
    QTest::newRow("no table") << QByteArray("CGATS.17\nDESCRIPTOR \"x\"\n") << "no data table";
}

void TestChartRender::referenceErrors() {
    QFETCH(QByteArray, text);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    ReferenceValues values;
    QString error;
    QVERIFY(!values.load(writeFile(dir, "bad.cie", text), &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
}

void TestChartRender::sevenChartsHaveEveryColour() {
    for (const char* name : kSevenCharts) {
        ChartDefinition chart;
        ReferenceValues reference;
        QString error;
        QVERIFY(chart.load(argyllRefFile(QString(name) + ".cht"), &error));
        QVERIFY2(reference.load(argyllRefFile(QString(name) + ".cie"), &error), qPrintable(error));
        for (const ChartBox& box : chart.samples()) {
            Xyz value;
            QVERIFY2(reference.find(box.id, &value), qPrintable(QString(name) + " " + box.id));
        }
    }
}

void TestChartRender::cameraModel() {
    const CameraModel camera(2.2);
    const Rgb white = camera.linear({96.42, 100.0, 82.49});
    for (double c : white)
        QVERIFY(std::abs(c - 1.0) < 1e-9);
    const Rgb grey = camera.linear(labToXyz(50, 0, 0));
    QVERIFY(std::abs(grey[0] - grey[2]) < 1e-9 && std::abs(grey[0] - 0.1842) < 1e-3);
    QVERIFY(std::abs(camera.encode(std::pow(0.5, 2.2)) - 0.5) < 1e-12);
    QCOMPARE(camera.encode(-0.1), 0.0);
    // The sensor's gamut holds every patch of the seven charts: no channel below zero.
    for (const char* name : kSevenCharts) {
        ReferenceValues reference;
        ChartDefinition chart;
        QString error;
        QVERIFY(reference.load(argyllRefFile(QString(name) + ".cie"), &error));
        QVERIFY(chart.load(argyllRefFile(QString(name) + ".cht"), &error));
        for (const ChartBox& box : chart.samples()) {
            Xyz xyz;
            QVERIFY(reference.find(box.id, &xyz));
            for (double c : camera.linear(xyz))
                QVERIFY2(c > 0, qPrintable(QString(name) + " " + box.id));
        }
    }
}

void TestChartRender::layout() {
    ChartDefinition chart;
    QString error;
    QVERIFY(chart.load(argyllRefFile("ColorChecker.cht"), &error));
    const ChartLayout flat = layoutChart(chart, {1000, 0, 0, false});
    QCOMPARE(flat.imageSize.width(), 1000);
    QVERIFY(flat.imageSize.height() < 1000);
    const QRectF image(QPointF(0, 0), QSizeF(flat.imageSize));
    for (const QPointF& f : chart.fiducials())
        QVERIFY(image.contains(flat.toImage.map(f)));
    // Square-on, the chart keeps its proportions.
    const QPointF tl = flat.toImage.map(chart.fiducials()[0]);
    const QPointF br = flat.toImage.map(chart.fiducials()[2]);
    const double aspect = (br.x() - tl.x()) / (br.y() - tl.y());
    QVERIFY(std::abs(aspect - (321.26 - 10.0) / (217 - 9.75)) < 1e-3);

    // The portrait turn is a quarter clockwise: the chart's top-left lands top-right.
    const ChartLayout upright = layoutChart(chart, {700, 0, 0, true});
    QCOMPARE(upright.imageSize.width(), 700);
    QVERIFY(upright.imageSize.height() > 700);
    const QPointF first = upright.toImage.map(chart.fiducials()[0]);
    QVERIFY(first.x() > 350 && first.y() < upright.imageSize.height() / 2);

    // Keystone: the right edge of the card comes out shorter than the left.
    const ChartLayout warped = layoutChart(chart, {1000, 0, 0.4, false});
    const QPointF w0 = warped.toImage.map(chart.fiducials()[0]);
    const QPointF w1 = warped.toImage.map(chart.fiducials()[1]);
    const QPointF w2 = warped.toImage.map(chart.fiducials()[2]);
    const QPointF w3 = warped.toImage.map(chart.fiducials()[3]);
    QVERIFY(w2.y() - w1.y() < 0.8 * (w3.y() - w0.y()));
}

void TestChartRender::printedFeatures() {
    ChartDefinition cc;
    ChartDefinition spyder;
    QString error;
    QVERIFY(cc.load(argyllRefFile("ColorChecker.cht"), &error));
    QVERIFY(spyder.load(argyllRefFile("SpyderChecker.cht"), &error));
    const ChartLayout ccLayout = layoutChart(cc, {});
    QVERIFY(chartrender::printedFeatures(cc, ccLayout.card).isEmpty());
    // The SpyderChecker's hinge between its two halves (x 200 to 274) is in its edge lists.
    const ChartLayout spyderLayout = layoutChart(spyder, {});
    const QList<QRectF> features = chartrender::printedFeatures(spyder, spyderLayout.card);
    QVERIFY(!features.isEmpty());
    bool hinge = false;
    for (const QRectF& r : features)
        hinge = hinge || (r.left() > 200 && r.right() < 274 && r.height() > r.width());
    QVERIFY(hinge);
}

void TestChartRender::renderedValues() {
    QTemporaryDir dir;
    for (const int bits : {8, 16}) {
        chartrender::RenderOptions options = chartCaptureOptions("ColorChecker", 600);
        options.noise = 0;
        options.blur = 0;
        options.falloff = 0.1;
        options.bitsPerChannel = bits;
        const QString path = dir.filePath(QStringLiteral("cc%1.png").arg(bits));
        RenderInfo info;
        QString error;
        QVERIFY2(renderChart(options, path, &error, &info), qPrintable(error));
        const QImage image(path);
        QCOMPARE(image.size(), info.imageSize);
        QCOMPARE(image.depth(), bits == 8 ? 32 : 64);
        QCOMPARE(info.patchCount, 24);
        QCOMPARE(info.patches.size(), 24);
        QStringList ids;
        for (const RenderedPatch& patch : info.patches) {
            ids << patch.id;
            const QColor c = image.pixelColor(patch.centre.toPoint());
            const double got[3] = {c.redF(), c.greenF(), c.blueF()};
            for (int k = 0; k < 3; ++k)
                QVERIFY2(std::abs(got[k] - patch.device[k]) < 0.003,
                         qPrintable(QStringLiteral("%1 channel %2: %3 vs %4")
                                        .arg(patch.id)
                                        .arg(k)
                                        .arg(got[k])
                                        .arg(patch.device[k])));
        }
        QCOMPARE(ids.first(), QStringLiteral("A1"));
        // The white patch is bright but below clipping, the black one dark but above zero.
        const RenderedPatch& white = info.patches[18];
        const RenderedPatch& black = info.patches[23];
        QCOMPARE(white.id, QStringLiteral("D1"));
        QVERIFY(white.device[1] > 0.85 && white.device[1] < 0.98);
        QVERIFY(black.device[1] > 0.1 && black.device[1] < 0.3);
        QCOMPARE(info.fiducialArgument().split(',').size(), 8);
        QVERIFY(info.fiducialArgument().contains(QRegularExpression("^\\d+\\.\\d\\d,")));
    }
}

void TestChartRender::tiffDepthAndProfile() {
    QTemporaryDir dir;
    QString error;
    chartrender::RenderOptions options = chartCaptureOptions("QPcard_202", 300);
    options.bitsPerChannel = 16;
    options.iccProfile = argyllRefFile("sRGB.icm");
    const QString tif = dir.filePath("qp.tif");
    QVERIFY2(renderChart(options, tif, &error), qPrintable(error));
    QFile icc(options.iccProfile);
    QVERIFY(icc.open(QIODevice::ReadOnly));
    const QByteArray profile = icc.readAll();
    FIBITMAP* bitmap = FreeImage_Load(FIF_TIFF, QFile::encodeName(tif).constData());
    QVERIFY(bitmap);
    QCOMPARE(FreeImage_GetImageType(bitmap), FIT_RGB16);
    QCOMPARE(int(FreeImage_GetWidth(bitmap)), 300);
    const FIICCPROFILE* embedded = FreeImage_GetICCProfile(bitmap);
    const QByteArray got(static_cast<const char*>(embedded->data), embedded->size);
    FreeImage_Unload(bitmap);
    QCOMPARE(got, profile);

    options.bitsPerChannel = 8;
    options.iccProfile.clear();
    const QString jpg = dir.filePath("qp.jpeg");
    QVERIFY2(renderChart(options, jpg, &error), qPrintable(error));
    QCOMPARE(QImage(jpg).width(), 300);
}

void TestChartRender::renderOptionErrors_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("reason");
    QTest::newRow("16-bit JPEG") << "bits16"
                                 << "x.jpg"
                                 << "JPEG";
    QTest::newRow("suffix") << ""
                            << "x.bmp"
                            << "unknown image format";
    QTest::newRow("bits") << "bits12"
                          << "x.tif"
                          << "8 or 16";
    QTest::newRow("width") << "width10"
                           << "x.tif"
                           << "width";
    QTest::newRow("perspective") << "perspective"
                                 << "x.tif"
                                 << "perspective";
    QTest::newRow("chart") << "chart"
                           << "x.tif"
                           << "cannot open";
    QTest::newRow("profile") << "icc"
                             << "x.tif"
                             << "cannot open";
    QTest::newRow("folder") << ""
                            << "missing/x.tif"
                            << "could not write";
}

void TestChartRender::renderOptionErrors() {
    QFETCH(QString, field);
    QFETCH(QString, output);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    chartrender::RenderOptions options = chartCaptureOptions("QPcard_202", 200);
    if (field == u"bits16")
        options.bitsPerChannel = 16;
    else if (field == u"bits12")
        options.bitsPerChannel = 12;
    else if (field == u"width10")
        options.width = 10;
    else if (field == u"perspective")
        options.perspective = 0.9;
    else if (field == u"chart")
        options.chtFile = dir.filePath("none.cht");
    else if (field == u"icc")
        options.iccProfile = dir.filePath("none.icc");
    QString error;
    QVERIFY(!renderChart(options, dir.filePath(output), &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(!QFile::exists(dir.filePath(output)));
}

void TestChartRender::patchColourSources() {
    QTemporaryDir dir;
    QString error;
    // Without a reference the chart's EXPECTED values colour the patches.
    chartrender::RenderOptions options = chartCaptureOptions("ColorChecker", 200);
    options.referenceFile.clear();
    RenderInfo info;
    QVERIFY2(renderChart(options, dir.filePath("expected.tif"), &error, &info), qPrintable(error));
    QCOMPARE(info.patches.size(), 24);
    QVERIFY(info.patches[18].device[1] > info.patches[23].device[1] + 0.5);

    // A chart without EXPECTED and a reference that lacks a patch cannot be rendered.
    QFile cht(argyllRefFile("ColorChecker.cht"));
    QVERIFY(cht.open(QIODevice::ReadOnly));
    const QByteArray text = cht.readAll();
    options.chtFile = writeFile(dir, "noexp.cht", text.left(text.indexOf("EXPECTED")));
    options.referenceFile = writeFile(dir, "partial.cie",
                                      "BEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L LAB_A LAB_B\n"
                                      "END_DATA_FORMAT\nBEGIN_DATA\nA2 50 0 0\nEND_DATA\n");
    QVERIFY(!renderChart(options, dir.filePath("partial.tif"), &error));
    QVERIFY2(error.contains("no colour for patch A1"), qPrintable(error));
    QVERIFY(!QFile::exists(dir.filePath("partial.tif")));
}

void TestChartRender::seedDecidesNoise() {
    QTemporaryDir dir;
    QString error;
    chartrender::RenderOptions options = chartCaptureOptions("SpyderChecker24", 240);
    const auto render = [&](quint32 seed, const QString& name) {
        options.seed = seed;
        const QString path = dir.filePath(name);
        QFile file(path);
        return renderChart(options, path, &error) && file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                                    : QByteArray();
    };
    const QByteArray a = render(7, "a.tif");
    const QByteArray b = render(7, "b.tif");
    const QByteArray c = render(8, "c.tif");
    QVERIFY(!a.isEmpty());
    QCOMPARE(a, b);
    QVERIFY(a != c);
}

QTEST_GUILESS_MAIN(TestChartRender)
#include "tst_chartrender.moc"

#include "verify/errorgraph.h"
#include "verify/graphformat.h"
#include "verify/graphscale.h"

#include <QLocale>
#include <QPainter>
#include <QTest>

namespace {

// A 468 x 256 picture gives a plot of 400 x 200 pixels with its base at y = 214.
const QSize kSmall(468, 256);
constexpr int kL = 58, kB = 214, kPW = 400;

SerieGrafico Serie(const QList<double>& values) {
    SerieGrafico serie;
    serie.values = values;
    for (int i = 0; i < values.size(); ++i)
        serie.ids.append(
            QStringLiteral("%1%2").arg(QChar('A' + i / 24)).arg(i % 24 + 1, 2, 10, QChar('0')));
    serie.title = "Delta-e CIE76";
    serie.shortName = "Delta-e";
    return serie;
}

QColor Pixel(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

// The same text drawn alone on black, so a region of the graph can be compared with it.
QImage Reference(const QSize& size, int x, int y, int points, const QColor& colour,
                 const QString& text) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(points);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QRect(x, y, 4000, 200), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     text);
    return image;
}

bool SameRegion(const QImage& a, const QImage& b, const QRect& region) {
    bool anyLight = false;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
            anyLight = anyLight || qGray(a.pixel(x, y)) > 60;
        }
    return anyLight;
}

} // namespace

class TestErrorGraph : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void axisScale();
    void labelStep();
    void paletteRepeatsEvery18();
    void numberFormats();
    void seriesByType();
    void barsStandWhereTheirValuesSay();
    void outlineOnlyOnWideBars();
    void gridAndAxes();
    void axisLabelsAndLegend();
    void axisLabelsAboveFour();
    void patchLabels_data();
    void patchLabels();
    void morePatchesThanPixels();
    void hoverReadout();
    void messageClearsTheGraph();
};

void TestErrorGraph::initTestCase() {
    QLocale::setDefault(QLocale::c());
}

void TestErrorGraph::axisScale() {
    QCOMPARE(EscalaGrafico(0), 4);
    QCOMPARE(EscalaGrafico(3.99), 4);
    QCOMPARE(EscalaGrafico(4.0), 4);
    QCOMPARE(EscalaGrafico(4.2), 5);
    QCOMPARE(EscalaGrafico(12.0), 12);
    QCOMPARE(EscalaGrafico(12.0000001), 12);
    QCOMPARE(EscalaGrafico(12.01), 13);
}

void TestErrorGraph::labelStep() {
    const QList<QPair<int, int>> cases{{1, 1},  {24, 1},  {40, 1},  {41, 2},   {90, 2},
                                       {91, 5}, {100, 5}, {180, 5}, {181, 10}, {288, 10}};
    for (const auto& [count, step] : cases)
        QCOMPARE(PasoEtiquetas(count), step);
}

void TestErrorGraph::paletteRepeatsEvery18() {
    QCOMPARE(ColorBarra(0), QColor(190, 124, 96));
    QCOMPARE(ColorBarra(6), QColor(255, 148, 78));
    QCOMPARE(ColorBarra(12), QColor(104, 154, 245));
    QCOMPARE(ColorBarra(17), QColor(88, 204, 245));
    QCOMPARE(ColorBarra(18), ColorBarra(0));
    QCOMPARE(ColorBarra(18 * 16 + 5), ColorBarra(5));
    QSet<QRgb> distinct;
    for (int i = 0; i < 18; ++i)
        distinct.insert(ColorBarra(i).rgb());
    QCOMPARE(distinct.size(), 18);
}

void TestErrorGraph::numberFormats() {
    QCOMPARE(FormatoDecimal(2, 1, true), QString("2."));
    QCOMPARE(FormatoDecimal(0, 1, true), QString("0."));
    QCOMPARE(FormatoDecimal(2.5, 1, true), QString("2.5"));
    QCOMPARE(FormatoDecimal(1.25, 1, true), QString("1.3"));
    QCOMPARE(FormatoDecimal(3.75, 1, true), QString("3.8"));
    QCOMPARE(FormatoDecimal(4.03, 1, false), QString("4.0"));
    QCOMPARE(FormatoDecimal(2.3454, 3, false), QString("2.345"));
    QCOMPARE(FormatoDecimal(2.3455, 3, false), QString("2.346"));
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    QCOMPARE(FormatoDecimal(2, 1, true), QString("2,"));
    QCOMPARE(FormatoDecimal(1234.5, 1, false), QString("1234,5"));
    QLocale::setDefault(QLocale::c());
}

void TestErrorGraph::seriesByType() {
    const QList<ErrorParche> errors{{"A01", 5, 3, 4, 0}, {"A02", 1, 0.5, 0.25, 0.75}};
    const SerieGrafico de = SerieDeTipo(errors, GraficoDeltaE);
    QCOMPARE(de.values, (QList<double>{5, 1}));
    QCOMPARE(de.ids, (QStringList{"A01", "A02"}));
    QCOMPARE(de.title, QString("Delta-e CIE76"));
    QCOMPARE(de.shortName, QString("Delta-e"));
    const SerieGrafico l = SerieDeTipo(errors, GraficoDeltaL);
    QCOMPARE(l.values, (QList<double>{3, 0.5}));
    QCOMPARE(l.title + "|" + l.shortName, QString("Lightness|Delta-L"));
    const SerieGrafico c = SerieDeTipo(errors, GraficoDeltaC);
    QCOMPARE(c.values, (QList<double>{4, 0.25}));
    QCOMPARE(c.title + "|" + c.shortName, QString("Chroma|Delta-C"));
    const SerieGrafico h = SerieDeTipo(errors, GraficoDeltaH);
    QCOMPARE(h.values, (QList<double>{0, 0.75}));
    QCOMPARE(h.title + "|" + h.shortName, QString("Hue|Delta-H"));
    const SerieGrafico other = SerieDeTipo(errors, 9);
    QCOMPARE(other.values, de.values);
    QCOMPARE(other.shortName, QString("Delta-e"));
}

void TestErrorGraph::barsStandWhereTheirValuesSay() {
    // 8 bars of 50 pixels; the axis runs 0..4 over 200 pixels, 50 pixels a unit.
    GraficoErrores graph;
    graph.Dibujar(kSmall, Serie({2, 1, 0, 3.5, 4, 0.5, 1.5, 2.5}));
    const QImage& img = graph.Imagen();
    QCOMPARE(img.size(), kSmall);
    QCOMPARE(graph.Barras().size(), 8);
    const int tops[8] = {114, 164, 213, 39, 14, 189, 139, 89};
    for (int i = 0; i < 8; ++i) {
        const BarraGrafico& bar = graph.Barras()[i];
        QCOMPARE(bar.x0, kL + 50 * i);
        QCOMPARE(bar.x1, kL + 50 * i + 49);
        const int mid = bar.x0 + 25;
        if (i == 2) {
            // A zero value is one pixel high at the base, outlined.
            QCOMPARE(Pixel(img, mid, kB - 1), QColor(20, 20, 20));
            QVERIFY(Pixel(img, mid, kB - 2) != ColorBarra(i));
            continue;
        }
        QCOMPARE(Pixel(img, mid, tops[i]), QColor(20, 20, 20));
        QCOMPARE(Pixel(img, mid, tops[i] + 1), ColorBarra(i));
        QCOMPARE(Pixel(img, mid, kB - 2), ColorBarra(i));
        QCOMPARE(Pixel(img, mid, kB - 1), QColor(20, 20, 20));
        QVERIFY(Pixel(img, mid, tops[i] - 1) != ColorBarra(i));
        QCOMPARE(Pixel(img, bar.x0, tops[i] + 5), QColor(20, 20, 20));
        QCOMPARE(Pixel(img, bar.x1, tops[i] + 5), QColor(20, 20, 20));
        QCOMPARE(Pixel(img, bar.x0 + 1, tops[i] + 5), ColorBarra(i));
    }
    QCOMPARE(graph.PlotTop(), 14);
    QCOMPARE(graph.PlotBottom(), kB - 1);
    QCOMPARE(graph.Nombre(), QString("Delta-e"));
}

void TestErrorGraph::outlineOnlyOnWideBars() {
    // 200 bars over 400 pixels: two columns each, no outline; colours follow the palette.
    QList<double> values(200, 2.0);
    GraficoErrores graph;
    graph.Dibujar(kSmall, Serie(values));
    for (int i = 0; i < 200; i += 37) {
        const BarraGrafico& bar = graph.Barras()[i];
        QCOMPARE(bar.x1 - bar.x0, 1);
        QCOMPARE(Pixel(graph.Imagen(), bar.x0, 114), ColorBarra(i));
        QCOMPARE(Pixel(graph.Imagen(), bar.x1, kB - 1), ColorBarra(i));
    }
    // The 19th bar takes the first bar's colour.
    QCOMPARE(Pixel(graph.Imagen(), graph.Barras()[18].x0, 150), ColorBarra(0));
}

void TestErrorGraph::gridAndAxes() {
    GraficoErrores graph;
    graph.Dibujar(kSmall, Serie({0.1, 0.1, 0.1, 0.1}));
    const QImage& img = graph.Imagen();
    // Horizontal grid every 50 pixels above the low bars, vertical grid every 100 pixels.
    for (int y : {14, 64, 114, 164})
        QCOMPARE(Pixel(img, kL + 50, y), QColor(48, 48, 48));
    for (int x : {kL + 100, kL + 200, kL + 300, kL + 400})
        QCOMPARE(Pixel(img, x, 90), QColor(34, 34, 34));
    QCOMPARE(Pixel(img, kL, 90), QColor(110, 110, 110));
    QCOMPARE(Pixel(img, kL + 150, kB), QColor(110, 110, 110));
    QCOMPARE(Pixel(img, kL + 50, 90), QColor(Qt::black));
    QCOMPARE(Pixel(img, kL + kPW + 5, 90), QColor(Qt::black));
}

void TestErrorGraph::axisLabelsAndLegend() {
    // Wide enough for the third legend item at L + 440; the plot is still 200 pixels high.
    const QSize size(868, 256);
    GraficoErrores graph;
    graph.Dibujar(size, Serie({1.0, 2.0, 0.5, 3.0}));
    const QImage& img = graph.Imagen();
    const QColor label(210, 210, 210);
    const QStringList texts{"0.", "1.", "2.", "3.", "4."};
    for (int k = 0; k <= 4; ++k) {
        const int y = kB - 50 * k;
        const QImage ref = Reference(size, 4, y - 7, 8, label, texts[k]);
        QVERIFY2(SameRegion(img, ref, QRect(0, y - 7, kL - 2, 15)), qPrintable(texts[k]));
    }
    const QColor legend(220, 220, 220);
    const int y = size.height() - 16;
    QVERIFY(SameRegion(img, Reference(size, kL, y, 8, legend, "Delta-e AVG:  1.6"),
                       QRect(kL, y, 200, 14)));
    QVERIFY(SameRegion(img, Reference(size, kL + 220, y, 8, legend, "Delta-e Max:  3.0"),
                       QRect(kL + 220, y, 200, 14)));
    QVERIFY(SameRegion(img, Reference(size, kL + 440, y, 8, legend, "Delta-e CIE76 | parches: 4"),
                       QRect(kL + 440, y, size.width() - kL - 440, 14)));
}

void TestErrorGraph::axisLabelsAboveFour() {
    // Largest 4.2: the axis runs to 5 with quarter steps 1.25, 2.5, 3.75.
    GraficoErrores graph;
    graph.Dibujar(kSmall, Serie({4.2, 1}));
    const QStringList texts{"0.", "1.3", "2.5", "3.8", "5."};
    for (int k = 0; k <= 4; ++k) {
        const int y = kB - 50 * k;
        const QImage ref = Reference(kSmall, 4, y - 7, 8, QColor(210, 210, 210), texts[k]);
        QVERIFY2(SameRegion(graph.Imagen(), ref, QRect(0, y - 7, kL - 2, 15)),
                 qPrintable(texts[k]));
    }
    QCOMPARE(graph.Barras()[0].x0, kL);
    QCOMPARE(Pixel(graph.Imagen(), kL + 100, kB - 168 + 1), ColorBarra(0));
    QCOMPARE(Pixel(graph.Imagen(), kL + 100, kB - 168), QColor(20, 20, 20));
}

void TestErrorGraph::patchLabels_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("step");
    QTest::newRow("24") << 24 << 1;
    QTest::newRow("100") << 100 << 5;
    QTest::newRow("288") << 288 << 10;
}

void TestErrorGraph::patchLabels() {
    QFETCH(int, count);
    QFETCH(int, step);
    const QSize size(760, 320);
    const int B = size.height() - 42;
    const double w = qMax(1.0, (size.width() - 68.0) / count);
    GraficoErrores graph;
    graph.Dibujar(size, Serie(QList<double>(count, 1.0)));
    const QList<EtiquetaGrafico>& labels = graph.Etiquetas();
    QCOMPARE(labels.size(), (count + step - 1) / step);
    for (int j = 0; j < labels.size(); ++j) {
        QCOMPARE(labels[j].index, j * step);
        const int centre = qRound((j * step + 0.5) * w) + kL;
        QCOMPARE(labels[j].topLeft, QPoint(qMax(kL, centre - 10), B + 3));
    }
    // The first label is drawn where it is recorded, in grey.
    const QString first = count > 0 ? QString("A01") : QString();
    const QImage ref =
        Reference(size, labels[0].topLeft.x(), B + 3, 7, QColor(170, 170, 170), first);
    bool grey = false;
    for (int y = B + 3; y < B + 14; ++y)
        for (int x = kL; x < kL + 12; ++x) {
            const QColor c = Pixel(graph.Imagen(), x, y);
            grey = grey || (c.red() > 60 && c.red() == c.green() && c.green() == c.blue());
        }
    QVERIFY(grey);
    if (step > 1)
        QVERIFY(SameRegion(graph.Imagen(), ref, QRect(kL, B + 3, 8, 11)));
}

void TestErrorGraph::morePatchesThanPixels() {
    // 600 patches on a 400-pixel plot: width 1, bar i at L + i, past the plot's right end.
    GraficoErrores graph;
    graph.Dibujar(kSmall, Serie(QList<double>(600, 2.0)));
    QCOMPARE(graph.Barras().size(), 600);
    QCOMPARE(graph.Barras()[0].x0, kL);
    QCOMPARE(graph.Barras()[399].x0, kL + 399);
    QCOMPARE(graph.Barras()[599].x0, kL + 599);
    QCOMPARE(graph.Barras()[599].x1, kL + 599);
    QCOMPARE(Pixel(graph.Imagen(), kL + 405, 150), ColorBarra(405));
    QCOMPARE(Pixel(graph.Imagen(), kL + 20, kB - 1), ColorBarra(20));
    QCOMPARE(graph.Etiquetas().size(), 60);
}

void TestErrorGraph::hoverReadout() {
    GraficoErrores graph;
    QCOMPARE(graph.Lectura(QPoint(100, 100)), QString());
    graph.Dibujar(kSmall, Serie({2.3454, 1, 0.5}));
    const int w = 400 / 3;
    QCOMPARE(graph.Lectura(QPoint(kL, 100)), QString("A01 | Delta-e: 2.345"));
    QCOMPARE(graph.Lectura(QPoint(kL + w - 1, 14)), QString("A01 | Delta-e: 2.345"));
    QCOMPARE(graph.Lectura(QPoint(kL + w + 1, kB - 1)), QString("A02 | Delta-e: 1.000"));
    QCOMPARE(graph.Lectura(QPoint(kL + 399, 200)), QString("A03 | Delta-e: 0.500"));
    QCOMPARE(graph.Lectura(QPoint(kL + 50, 13)), QString());
    QCOMPARE(graph.Lectura(QPoint(kL + 50, kB)), QString());
    QCOMPARE(graph.Lectura(QPoint(kL - 1, 100)), QString());
    QCOMPARE(graph.Lectura(QPoint(kL + 400, 100)), QString());
    SerieGrafico hue = Serie({0.25});
    hue.shortName = "Delta-H";
    graph.Dibujar(kSmall, hue);
    QCOMPARE(graph.Lectura(QPoint(kL + 10, 100)), QString("A01 | Delta-H: 0.250"));
}

void TestErrorGraph::messageClearsTheGraph() {
    GraficoErrores graph;
    graph.Dibujar(kSmall, Serie({1, 2}));
    graph.MostrarMensaje(QSize(300, 120), "Todavía no hay datos");
    QCOMPARE(graph.Imagen().size(), QSize(300, 120));
    QVERIFY(graph.Barras().isEmpty());
    QVERIFY(graph.Etiquetas().isEmpty());
    QCOMPARE(graph.PlotTop(), 0);
    QCOMPARE(graph.PlotBottom(), 0);
    QCOMPARE(graph.Nombre(), QString());
    QCOMPARE(graph.Lectura(QPoint(kL + 5, 50)), QString());
    const QImage ref =
        Reference(QSize(300, 120), 12, 12, 9, QColor(224, 224, 224), "Todavía no hay datos");
    QVERIFY(SameRegion(graph.Imagen(), ref, QRect(0, 0, 300, 120)));
}

QTEST_MAIN(TestErrorGraph)
#include "tst_errorgraph.moc"

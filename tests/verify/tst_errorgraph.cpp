#include "verify/errorgraph.h"
#include "verify/graphformat.h"
#include "verify/graphscale.h"

#include <QtTest>

namespace {

// A 468 x 256 picture gives a plot of 400 x 200 pixels with its base at y = 214.
const QSize kSmall(468, 256);
constexpr int kL = 58, kB = 214;

SerieGrafico Serie(const QList<double>& values) {
    return SerieGrafico{QStringList(values.size(), "A01"), values, "Delta-e CIE76", "Delta-e"};
}

// The first row from the plot's top down in the column that is neither black nor grid grey.
int Tope(const QImage& image, int x) {
    for (int y = GraficoErrores::kTop; y < kB; ++y)
        if (!QList<int>({0, 34, 48}).contains(qGray(image.pixel(x, y))))
            return y;
    return -1;
}

} // namespace

class TestErrorGraph : public QObject {
    Q_OBJECT

private slots:
    void scalesAndFormats() {
        for (const auto& [largest, scale] : QList<QPair<double, int>>{
                 {0, 4}, {4.0, 4}, {4.2, 5}, {12.0, 12}, {12.0000001, 12}, {12.01, 13}})
            QCOMPARE(EscalaGrafico(largest), scale);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(FormatoDecimal(2, 1, true) + FormatoDecimal(1.25, 1, true), QString("2.1.3"));
        QCOMPARE(FormatoDecimal(4.03, 1, false) + FormatoDecimal(2.3455, 3, false), "4.02.346");
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        const QString comma = FormatoDecimal(1234.5, 1, false) + FormatoDecimal(0, 1, true);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(comma, QString("1234,50,"));
    }

    // The CIEDE2000 series; an unknown type shows the total difference.
    void seriesByType() {
        const QList<ErrorParche> errors{{"A01", 5, 3, 4, 0, 2.5}, {"A02", 1, 0.5, 0.25, 0.75, 0.1}};
        QCOMPARE(SerieDeTipo(errors, GraficoDeltaE2000).values, QList<double>({2.5, 0.1}));
        QCOMPARE(SerieDeTipo(errors, 9).values, QList<double>({5, 1}));
    }

    void barsStandWhereTheirValuesSay() {
        // 8 bars of 50 pixels; the axis runs 0..4 over 200 pixels, 50 pixels a unit; a zero
        // value is still one pixel high at the base.
        GraficoErrores graph;
        graph.Dibujar(kSmall, Serie({2, 1, 0, 3.5, 4, 0.5, 1.5, 2.5}));
        const int tops[8] = {114, 164, 213, 39, 14, 189, 139, 89};
        QCOMPARE(graph.Barras().size(), 8);
        for (int i = 0; i < 8; ++i) {
            const BarraGrafico& bar = graph.Barras()[i];
            QCOMPARE(QPoint(bar.x0, bar.x1), QPoint(kL + 50 * i, kL + 50 * i + 49));
            QCOMPARE(Tope(graph.Imagen(), bar.x0 + 25), tops[i]);
        }
        // Largest 4.2: the axis runs to 5, and the grid still quarters the plot.
        graph.Dibujar(kSmall, Serie({4.2, 1}));
        QCOMPARE(Tope(graph.Imagen(), kL + 100), kB - 168);
        QCOMPARE(Tope(graph.Imagen(), kL + 350), kB - 40);
        for (int y : {14, 54, 64, 94, 114, 134, 164})
            QCOMPARE(qGray(graph.Imagen().pixel(kL + 350, y)) == 0, y % 50 != 14);
    }
};

QTEST_MAIN(TestErrorGraph)
#include "tst_errorgraph.moc"

#include "charts/chartcatalog.h"
#include "charts/chartpicture.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestChartPicture : public QObject {
    Q_OBJECT

private slots:
    void fittedRectangle_data();
    void fittedRectangle();
    void nothingToDraw_data();
    void nothingToDraw();
    void drawsCentredOverBackground();
    void unreadablePictureGivesNothing();
    void realChartPicturesLoad();
};

void TestChartPicture::fittedRectangle_data() {
    QTest::addColumn<QSize>("natural");
    QTest::addColumn<QSize>("caja");
    QTest::addColumn<QRect>("esperado");
    // Wider than the box in proportion: full width, centred vertically.
    QTest::newRow("wide") << QSize(400, 100) << QSize(200, 200) << QRect(0, 75, 200, 50);
    QTest::newRow("tall") << QSize(100, 400) << QSize(200, 200) << QRect(75, 0, 50, 200);
    QTest::newRow("enlarged") << QSize(20, 10) << QSize(300, 100) << QRect(50, 0, 200, 100);
    QTest::newRow("exact") << QSize(120, 80) << QSize(120, 80) << QRect(0, 0, 120, 80);
    // Odd remainder: the halving truncates.
    QTest::newRow("odd remainder") << QSize(100, 100) << QSize(101, 100) << QRect(0, 0, 100, 100);
    // 3 * (7/2) = 10.5 rounds half to even.
    QTest::newRow("half to even") << QSize(2, 3) << QSize(7, 100) << QRect(0, 45, 7, 10);
}

void TestChartPicture::fittedRectangle() {
    QFETCH(QSize, natural);
    QFETCH(QSize, caja);
    QFETCH(QRect, esperado);
    const std::optional<QRect> rect = RectanguloImagenCarta(natural, caja);
    QVERIFY(rect.has_value());
    QCOMPARE(*rect, esperado);
}

void TestChartPicture::nothingToDraw_data() {
    QTest::addColumn<QSize>("natural");
    QTest::addColumn<QSize>("caja");
    QTest::newRow("thin picture") << QSize(1000, 1) << QSize(100, 100);
    QTest::newRow("empty box") << QSize(100, 100) << QSize(0, 50);
    QTest::newRow("empty picture") << QSize(0, 10) << QSize(100, 100);
}

void TestChartPicture::nothingToDraw() {
    QFETCH(QSize, natural);
    QFETCH(QSize, caja);
    QVERIFY(!RectanguloImagenCarta(natural, caja).has_value());
}

void TestChartPicture::drawsCentredOverBackground() {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("chart.png");
    QImage fuente(40, 10, QImage::Format_RGB32);
    fuente.fill(Qt::red);
    QVERIFY(fuente.save(ruta));
    const QImage dibujo = DibujoImagenCarta(ruta, QSize(80, 60), Qt::blue);
    QCOMPARE(dibujo.size(), QSize(80, 60));
    // 40x10 fitted into 80x60 is 80x20 at y = 20.
    QCOMPARE(dibujo.pixelColor(40, 30), QColor(Qt::red));
    QCOMPARE(dibujo.pixelColor(0, 21), QColor(Qt::red));
    QCOMPARE(dibujo.pixelColor(40, 18), QColor(Qt::blue));
    QCOMPARE(dibujo.pixelColor(40, 41), QColor(Qt::blue));
}

void TestChartPicture::unreadablePictureGivesNothing() {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("broken.jpg");
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();
    QVERIFY(DibujoImagenCarta(ruta, QSize(50, 50), Qt::black).isNull());
    QVERIFY(DibujoImagenCarta(dir.filePath("missing.jpg"), QSize(50, 50), Qt::black).isNull());
    QVERIFY(DibujoImagenCarta(QString(), QSize(50, 50), Qt::black).isNull());
}

void TestChartPicture::realChartPicturesLoad() {
    const QString doc = QStringLiteral("/usr/share/doc/argyll-doc");
    const ChartCatalog catalogo(QStringLiteral("/usr/share/color/argyll/ref"), doc);
    int dibujadas = 0;
    for (int i = 0; i < catalogo.NumCartas(); ++i) {
        const QString ruta = catalogo.RutaImagenCarta(i);
        if (ruta.isEmpty()) {
            continue;
        }
        const QImage dibujo = DibujoImagenCarta(ruta, QSize(160, 120), Qt::black);
        QVERIFY2(!dibujo.isNull(), qPrintable(ruta));
        ++dibujadas;
    }
    if (dibujadas == 0) {
        QSKIP("ArgyllCMS chart pictures are not installed");
    }
}

QTEST_GUILESS_MAIN(TestChartPicture)
#include "tst_chartpicture.moc"

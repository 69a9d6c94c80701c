#include "image/bufferrgb.h"
#include "image/freeimagelite.h"
#include "image/histogram.h"
#include "image/histogramdrawing.h"

#include "imagefixtures.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

namespace {

// The bin exactly as defined on normalised doubles.
int BinDefinido(double v0, double v1, double v2) {
    const double media = (v0 + v1 + v2) / 3.0;
    return std::clamp(int(media * 255.0 + 0.5), 0, 255);
}

// The histogram as defined: every pixel of the decoded buffer, binned from its doubles.
Histograma HistogramaDefinido(const QString& ruta, bool& leido) {
    Histograma h;
    BufferRGB buffer;
    int w = 0, alto = 0, bits = 0;
    leido = FI_CargarRGB(ruta, w, alto, bits, buffer);
    if (!leido)
        return h;
    for (qsizetype i = 0; i < buffer.pixeles(); ++i) {
        ++h.cuentas[std::size_t(
            BinDefinido(buffer.valor(i, 0), buffer.valor(i, 1), buffer.valor(i, 2)))];
        for (int c = 0; c < 3; ++c)
            ++h.canales[std::size_t(c)][std::size_t(int(buffer.valor(i, c) * 255.0 + 0.5))];
    }
    h.maximo = *std::max_element(h.cuentas.begin(), h.cuentas.end());
    return h;
}

std::array<int, 3> Ruido8(int x, int y) {
    return {(x * 37 + y * 11) % 256, (x * 5 + y * 91) % 256, (x * y + 7) % 256};
}

std::array<int, 3> Ruido16(int x, int y) {
    return {(x * 3701 + y * 1103) % 65536, (x * 517 + y * 9133) % 65536, (x * y * 257 + 7) % 65536};
}

QRgb Pixel(const QImage& imagen, int x, int y) {
    return imagen.pixel(x, y) & 0xFFFFFF;
}

QRgb Gris(int n) {
    return qRgb(n, n, n) & 0xFFFFFF;
}

bool HayTinta(const QImage& imagen, const QRect& zona) {
    for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x)
            if (qGray(imagen.pixel(x, y)) < 128)
                return true;
    return false;
}

bool TodoBlanco(const QImage& imagen) {
    for (int y = 0; y < imagen.height(); ++y)
        for (int x = 0; x < imagen.width(); ++x)
            if (Pixel(imagen, x, y) != 0xFFFFFF)
                return false;
    return true;
}

} // namespace

class TestHistogram : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString ruta(const QString& nombre) const { return dir_.filePath(nombre); }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void binsOfEveryEightBitPixel() {
        QCOMPARE(BinHistograma(255, 0, 0, 8), 85);
        QCOMPARE(BinHistograma(1, 1, 2, 8), 1);
        QCOMPARE(BinHistograma(128, 128, 128, 8), 128);
        QCOMPARE(BinHistograma(255, 255, 255, 8), 255);
        int distintos = 0;
        for (int r = 0; r < 256; ++r)
            for (int g = 0; g < 256; ++g)
                for (int b = 0; b < 256; ++b)
                    distintos +=
                        BinHistograma(r, g, b, 8) != BinDefinido(r / 255.0, g / 255.0, b / 255.0);
        QCOMPARE(distintos, 0);
    }

    void binsOfSixteenBitPixels() {
        QCOMPARE(BinHistograma(65535, 0, 0, 16), 85);
        QCOMPARE(BinHistograma(65535, 65535, 65535, 16), 255);
        QCOMPARE(BinHistograma(0, 0, 0, 16), 0);
        const auto comparar = [](int r, int g, int b) {
            return BinHistograma(r, g, b, 16) == BinDefinido(r / 65535.0, g / 65535.0, b / 65535.0);
        };
        // Every sum next to a bin boundary, split over the channels in different ways.
        for (int k = 0; k < 256; ++k) {
            const int frontera = int(771 * (k + 0.5));
            for (int s = std::max(0, frontera - 3); s <= std::min(196605, frontera + 3); ++s) {
                const int r = std::min(s, 65535);
                const int g = std::min(s - r, 65535);
                QVERIFY2(comparar(r, g, s - r - g), qPrintable(QString::number(s)));
                QVERIFY(comparar(s / 3, s / 3, s - 2 * (s / 3)));
            }
        }
        std::mt19937 azar(11);
        std::uniform_int_distribution<int> muestra(0, 65535);
        for (int i = 0; i < 2'000'000; ++i) {
            const int r = muestra(azar), g = muestra(azar), b = muestra(azar);
            if (!comparar(r, g, b))
                QFAIL(qPrintable(QStringLiteral("%1 %2 %3").arg(r).arg(g).arg(b)));
        }
    }

    void uniformGreyFillsOneBin() {
        const QString tif = ruta(QStringLiteral("gris.tif"));
        QVERIFY(EscribirImagenRGB(tif, FIF_TIFF, 37, 23, 8, [](int, int) {
            return std::array<int, 3>{128, 128, 128};
        }));
        Histograma h;
        QVERIFY(CalcularHistograma(tif, h));
        QCOMPARE(h.cuentas[128], 37u * 23u);
        QCOMPARE(h.maximo, 37u * 23u);
        QCOMPARE(std::accumulate(h.cuentas.begin(), h.cuentas.end(), 0u), 37u * 23u);
    }

    void imageKindsGiveTheDefinedBins_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("fif");
        QTest::addColumn<int>("bits");
        QTest::newRow("8-bit TIFF") << "a.tif" << int(FIF_TIFF) << 8;
        QTest::newRow("16-bit TIFF") << "b.tif" << int(FIF_TIFF) << 16;
        QTest::newRow("16-bit PNG") << "c.png" << int(FIF_PNG) << 16;
        QTest::newRow("PNG") << "d.png" << int(FIF_PNG) << 8;
        QTest::newRow("JPEG") << "e.jpg" << int(FIF_JPEG) << 8;
    }

    void imageKindsGiveTheDefinedBins() {
        QFETCH(QString, nombre);
        QFETCH(int, fif);
        QFETCH(int, bits);
        const QString fichero = ruta(nombre);
        QVERIFY(EscribirImagenRGB(fichero, FREE_IMAGE_FORMAT(fif), 301, 157, bits,
                                  bits == 16 ? Ruido16 : Ruido8));
        bool leido = false;
        const Histograma esperado = HistogramaDefinido(fichero, leido);
        QVERIFY(leido);
        Histograma h;
        QVERIFY(CalcularHistograma(fichero, h));
        QVERIFY(h.cuentas == esperado.cuentas);
        QVERIFY(h.canales == esperado.canales);
        QCOMPARE(h.maximo, esperado.maximo);
    }

    // Layouts that go through the library's 24-bit conversion: grey, palette, RGBA, 16-bit grey.
    void convertedLayoutsGiveTheDefinedBins_data() {
        QTest::addColumn<int>("tipo");
        QTest::newRow("8-bit grey") << 0;
        QTest::newRow("4-bit palette") << 1;
        QTest::newRow("32-bit RGBA") << 2;
        QTest::newRow("16-bit grey") << 3;
    }

    void convertedLayoutsGiveTheDefinedBins() {
        QFETCH(int, tipo);
        const QString origen = ruta(QStringLiteral("origen%1.tif").arg(tipo));
        QVERIFY(EscribirImagenRGB(origen, FIF_TIFF, 97, 61, 8, Ruido8));
        FIBITMAP* rgb = FreeImage_Load(FIF_TIFF, origen.toUtf8().constData(), 0);
        QVERIFY(rgb);
        FIBITMAP* convertido = tipo == 0   ? FreeImage_ConvertToGreyscale(rgb)
                               : tipo == 1 ? FreeImage_ConvertTo4Bits(rgb)
                               : tipo == 2 ? FreeImage_ConvertTo32Bits(rgb)
                                           : FreeImage_ConvertToUINT16(rgb);
        FreeImage_Unload(rgb);
        QVERIFY(convertido);
        const QString fichero = ruta(QStringLiteral("convertido%1.tif").arg(tipo));
        const bool guardado = FreeImage_Save(FIF_TIFF, convertido, fichero.toUtf8().constData(), 0);
        FreeImage_Unload(convertido);
        QVERIFY(guardado);

        bool leido = false;
        const Histograma esperado = HistogramaDefinido(fichero, leido);
        QVERIFY(leido);
        Histograma h;
        QVERIFY(CalcularHistograma(fichero, h));
        QVERIFY(h.cuentas == esperado.cuentas);
        QVERIFY(h.canales == esperado.canales);
        QCOMPARE(h.maximo, esperado.maximo);
    }

    void unreadableImagesGiveNoHistogram() {
        Histograma h;
        h.maximo = 5;
        QVERIFY(!CalcularHistograma(ruta(QStringLiteral("falta.tif")), h));
        QCOMPARE(h.maximo, 0u);
        const QString basura = ruta(QStringLiteral("basura.png"));
        QVERIFY(EscribirBytes(basura, PngConCabecera(50, 50)));
        QVERIFY(!CalcularHistograma(basura, h));
        QVERIFY(std::all_of(h.cuentas.begin(), h.cuentas.end(), [](auto c) { return c == 0; }));
    }

    void drawingNeedsAHistogramAndRoom() {
        Histograma h;
        h.cuentas[10] = 4;
        h.maximo = 4;
        QImage imagen(300, 200, QImage::Format_RGB32);
        DibujarHistograma(imagen, nullptr);
        QVERIFY(TodoBlanco(imagen));
        Histograma vacio;
        DibujarHistograma(imagen, &vacio);
        QVERIFY(TodoBlanco(imagen));
        // pw = width - 50 must reach 32 and ph = height - 60 must reach 20.
        for (const QSize tamano : {QSize(81, 200), QSize(300, 79)}) {
            QImage pequena(tamano, QImage::Format_RGB32);
            DibujarHistograma(pequena, &h);
            QVERIFY(TodoBlanco(pequena));
        }
        QImage justa(82, 80, QImage::Format_RGB32);
        DibujarHistograma(justa, &h);
        QCOMPARE(Pixel(justa, 42, 8), 0u);
        QCOMPARE(Pixel(justa, 42 + 32, 8 + 20), 0u);

        // The channels are lines on the same scale: red peaks over its bin, twice the bars.
        h.canales[0][128] = 8;
        h.maximoCanales = 8;
        QImage lineas(306, 200, QImage::Format_RGB32);
        DibujarHistograma(lineas, &h);
        QCOMPARE(Pixel(lineas, 42 + 128, 8 + 1), qRgb(220, 0, 0) & 0xFFFFFFu);
        QCOMPARE(Pixel(lineas, 42 + 10, 8 + 140 - 69), Gris(120)); // half of ph - 2
        QCOMPARE(Pixel(lineas, 42 + 100, 8 + 140 - 1), qRgb(0, 0, 230) & 0xFFFFFFu);
    }

    void barsRampAndFrameWithOnePixelBins() {
        // pw = 256: bin i is the column 42 + i.
        QImage imagen(306, 200, QImage::Format_RGB32);
        const int ph = 200 - 60, rt = ph + 16;
        Histograma h;
        h.cuentas[0] = 1000;
        h.cuentas[128] = 500;
        h.cuentas[200] = 1;
        h.maximo = 1000;
        DibujarHistograma(imagen, &h);

        const QRgb gris = Gris(120);
        // The largest bin reaches ph - 2 above the plot's bottom line.
        QCOMPARE(Pixel(imagen, 42, 8 + 2), gris);
        QCOMPARE(Pixel(imagen, 42, 8 + 1), 0u); // frame shows above the bar
        const int mitad = int(std::nearbyint(0.5 * (ph - 2)));
        QCOMPARE(Pixel(imagen, 42 + 128, 8 + ph - mitad), gris);
        QCOMPARE(Pixel(imagen, 42 + 128, 8 + ph - mitad - 1), 0xFFFFFFu);
        QCOMPARE(Pixel(imagen, 42 + 128, ph + 7), gris);
        QCOMPARE(Pixel(imagen, 42 + 127, ph + 7), 0xFFFFFFu);
        QCOMPARE(Pixel(imagen, 42 + 129, ph + 7), 0xFFFFFFu);
        // 1/1000 of ph - 2 rounds to no bar.
        QCOMPARE(Pixel(imagen, 42 + 200, ph + 7), 0xFFFFFFu);
        // Plot frame, with the bottom line under the bars.
        for (int x = 42; x <= 42 + 256; x += 16)
            QCOMPARE(Pixel(imagen, x, ph + 8), 0u);
        QCOMPARE(Pixel(imagen, 42 + 256, 50), 0u);
        QCOMPARE(Pixel(imagen, 42 + 257, 50), 0xFFFFFFu);
        // The ramp: every level in its own column, framed in black.
        for (int i = 1; i < 256; ++i)
            QCOMPARE(Pixel(imagen, 42 + i, rt + 5), Gris(i));
        for (int y = rt; y <= rt + 10; ++y) {
            QCOMPARE(Pixel(imagen, 42, y), 0u);
            QCOMPARE(Pixel(imagen, 42 + 256, y), 0u);
        }
        QCOMPARE(Pixel(imagen, 100, rt), 0u);
        QCOMPARE(Pixel(imagen, 100, rt + 10), 0u);
        QCOMPARE(Pixel(imagen, 100, rt + 11), 0xFFFFFFu);
        // Labels: the maximum at the top-left, its half at mid height, the levels below.
        QVERIFY(HayTinta(imagen, QRect(0, 0, 40, 8)));
        QVERIFY(HayTinta(imagen, QRect(0, ph / 2 + 2, 40, 8)));
        QVERIFY(!HayTinta(imagen, QRect(0, 20, 40, ph / 2 + 2 - 20)));
        const int ly = ph + 30;
        for (const int x : {40, 42 + int(std::nearbyint(256 * 64 / 255.0)) - 8,
                            42 + int(std::nearbyint(256 * 128 / 255.0)) - 10, 42 + 256 - 16})
            QVERIFY2(HayTinta(imagen, QRect(x, ly, 12, 10)), qPrintable(QString::number(x)));
    }

    void narrowPlotSharesColumns() {
        // pw = 100: several bins land on one column and are drawn one pixel wide there.
        QImage imagen(150, 120, QImage::Format_RGB32);
        const int pw = 100, rt = 120 - 60 + 16;
        Histograma h;
        for (int i = 0; i < 256; ++i)
            h.cuentas[std::size_t(i)] = 1;
        h.maximo = 1;
        DibujarHistograma(imagen, &h);
        for (int x = 43; x < 42 + pw; ++x) {
            // The last bin drawn over a column decides its ramp colour.
            int nivel = -1;
            for (int i = 0; i < 256; ++i) {
                const int x1 = 42 + int(std::nearbyint(pw * i / 256.0));
                const int x2 = std::max(42 + int(std::nearbyint(pw * (i + 1) / 256.0)), x1 + 1);
                if (x >= x1 && x <= x2 - 1)
                    nivel = i;
            }
            QCOMPARE(Pixel(imagen, x, rt + 5), Gris(nivel));
            QCOMPARE(Pixel(imagen, x, 30), Gris(120)); // every bin is full height
        }
    }
};

QTEST_MAIN(TestHistogram)
#include "tst_histogram.moc"

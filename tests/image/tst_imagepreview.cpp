#include "image/imagepreview.h"
#include "portablefolders.h"
#include "shell/appfolders.h"

#include "imagefixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestImagePreview : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString ruta(const QString& nombre) const { return dir_.filePath(nombre); }

private slots:
    void initTestCase() {
        QVERIFY(QDir().mkpath(ruta("program")));
        EstablecerCarpetas(PortableFolders(ruta("program")));
    }

    // FreeImage keeps rows bottom-up; the picture must come out upright.
    void fullSizePictureIsUpright() {
        const QString r = ruta("upright.png");
        QVERIFY(EscribirImagenRGB(r, FIF_PNG, 5, 4, 8, [](int x, int y) {
            return std::array<int, 3>{x * 50, y * 60, 7};
        }));
        int w = -1, h = -1;
        const QImage imagen = CargarImagenFI(r, w, h);
        QCOMPARE(QSize(w, h), QSize(5, 4));
        QCOMPARE(imagen.pixel(0, 0), qRgb(0, 0, 7));
        QCOMPARE(imagen.pixel(4, 3), qRgb(200, 180, 7));
    }

    void sixteenBitSamplesRoundHalfUp() {
        const QString r = ruta("deep.tif");
        const std::array<int, 3> muestras[3] = {
            {65535, 0, 257}, {32767, 32768, 65534}, {128, 129, 1}};
        QVERIFY(EscribirImagenRGB(r, FIF_TIFF, 3, 1, 16,
                                  [&muestras](int x, int) { return muestras[x]; }));
        int w = 0, h = 0;
        const QImage imagen = CargarImagenFI(r, w, h);
        QCOMPARE(imagen.pixel(0, 0), qRgb(255, 0, 1));
        QCOMPARE(imagen.pixel(1, 0), qRgb(127, 128, 255)); // 65534 -> 254.996
        QCOMPARE(imagen.pixel(2, 0), qRgb(0, 1, 0));       // 128 -> 0.498, 129 -> 0.502
        const QString gris = ruta("grey16.png");
        QVERIFY(EscribirGris16(gris, FIF_PNG, 2, 2, [](int x, int) {
            return std::array<int, 3>{x ? 32768 : 65535, 0, 0};
        }));
        QCOMPARE(CargarImagenFI(gris, w, h).pixel(1, 0), qRgb(128, 128, 128));
    }

    void failuresLeaveTheirDetail() {
        const QString falta = ruta("falta.png");
        int w = 9, h = 9;
        QVERIFY(CargarImagenFI(falta, w, h).isNull());
        QCOMPARE(QSize(w, h), QSize(0, 0));
        QCOMPARE(UltimoDetalleCarga(), "El fichero no existe: " + falta);
        // A successful load empties the detail again.
        QVERIFY(EscribirImagenRGB(ruta("ok.png"), FIF_PNG, 2, 2, 8, [](int, int) {
            return std::array<int, 3>{1, 2, 3};
        }));
        QVERIFY(!CargarImagenFI(ruta("ok.png"), w, h).isNull());
        QVERIFY(UltimoDetalleCarga().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestImagePreview)
#include "tst_imagepreview.moc"

#include "image/imagepreview.h"
#include "portablefolders.h"
#include "shell/appfolders.h"

#include "imagefixtures.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class TestImagePreview : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString ruta(const QString& nombre) const { return dir_.filePath(nombre); }
    QString rutaLog() const { return Carpetas().tmpFolder + "/chromaflux_tif_debug.log"; }
    QStringList lineasLog() const {
        return QString::fromUtf8(LeerBytes(rutaLog())).split('\n', Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QVERIFY(QDir().mkpath(ruta("program")));
        EstablecerCarpetas(PortableFolders(ruta("program")));
    }

    void byteOfValue() {
        QCOMPARE(ByteDeValor(1.0), 255);
        QCOMPARE(ByteDeValor(0.999), 255);
        QCOMPARE(ByteDeValor(0.998), 254);
        QCOMPARE(ByteDeValor(0.5), 128);
        QCOMPARE(ByteDeValor(0.0), 0);
        QCOMPARE(ByteDeValor(2.0), 255);
        QCOMPARE(ByteDeValor(-0.001), -1);
        QCOMPARE(ByteDeValor(std::nan("")), -1);
    }

    void fullSizePictureIsUpright() {
        const QString r = ruta("upright.png");
        QVERIFY(EscribirImagenRGB(r, FIF_PNG, 5, 4, 8, [](int x, int y) {
            return std::array<int, 3>{x * 50, y * 60, 7};
        }));
        QFile::remove(rutaLog());
        int w = -1, h = -1;
        const QImage imagen = CargarImagenFI(r, w, h);
        QCOMPARE(imagen.size(), QSize(5, 4));
        QCOMPARE(QSize(w, h), QSize(5, 4));
        QCOMPARE(imagen.pixel(0, 0), qRgb(0, 0, 7));
        QCOMPARE(imagen.pixel(4, 3), qRgb(200, 180, 7));
        QVERIFY(UltimoDetalleCarga().isEmpty());

        const QStringList log = lineasLog();
        QCOMPARE(log.size(), 3);
        const QRegularExpression sello(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d \| )");
        for (const QString& linea : log)
            QVERIFY2(sello.match(linea).hasMatch(), qPrintable(linea));
        QCOMPARE(log[0].mid(22), "CargarImagenFI: ruta=" + r);
        QCOMPARE(log[1].mid(22), QString("FI_CargarRGB ok: 5x4 8bps"));
        QCOMPARE(log[2].mid(22), QString("Imagen RGB32 ok"));
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
        QVERIFY(lineasLog().at(lineasLog().size() - 2).endsWith("FI_CargarRGB ok: 3x1 16bps"));

        const QString gris = ruta("grey16.png");
        QVERIFY(EscribirGris16(gris, FIF_PNG, 2, 2, [](int x, int) {
            return std::array<int, 3>{x ? 32768 : 65535, 0, 0};
        }));
        QCOMPARE(CargarImagenFI(gris, w, h).pixel(1, 0), qRgb(128, 128, 128));
        QVERIFY(lineasLog().at(lineasLog().size() - 2).endsWith("FI_CargarRGB ok: 2x2 16bps"));
    }

    void failuresLeaveTheirDetail() {
        const QString falta = ruta("falta.png");
        int w = 9, h = 9;
        QVERIFY(CargarImagenFI(falta, w, h).isNull());
        QCOMPARE(QSize(w, h), QSize(0, 0));
        QCOMPARE(UltimoDetalleCarga(), "El fichero no existe: " + falta);
        QVERIFY(
            lineasLog().last().endsWith("| FI_CargarRGB fallo: El fichero no existe: " + falta));

        // A successful load empties the detail again.
        const QString r = ruta("ok.png");
        QVERIFY(EscribirImagenRGB(r, FIF_PNG, 2, 2, 8, [](int, int) {
            return std::array<int, 3>{1, 2, 3};
        }));
        QVERIFY(!CargarImagenFI(r, w, h).isNull());
        QVERIFY(UltimoDetalleCarga().isEmpty());
    }

    void debugLogIsAppended() {
        QFile::remove(rutaLog());
        LogDepuracionTIF("uno");
        LogDepuracionTIF("dos ñ");
        const QStringList log = lineasLog();
        QCOMPARE(log.size(), 2);
        QVERIFY(log[0].endsWith(" | uno"));
        QVERIFY(log[1].endsWith(" | dos ñ"));
    }
};

QTEST_GUILESS_MAIN(TestImagePreview)
#include "tst_imagepreview.moc"

#include "image/bufferrgb.h"
#include "image/imagepreview.h"
#include "portablefolders.h"
#include "shell/appfolders.h"

#include "imagefixtures.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>

namespace {

quint32 U32(const QByteArray& b, int p) {
    return qFromLittleEndian<quint32>(b.constData() + p);
}
quint16 U16(const QByteArray& b, int p) {
    return qFromLittleEndian<quint16>(b.constData() + p);
}
int Byte(const QByteArray& b, qsizetype p) {
    return static_cast<unsigned char>(b[p]);
}

// An 8-bit buffer whose pixel (x, y) is (x, y, x + y + 1).
BufferRGB BufferPrueba(int w, int h) {
    BufferRGB b;
    b.redimensionar(w, h, 8);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            b.fila8(y)[3 * x] = std::uint8_t(x);
            b.fila8(y)[3 * x + 1] = std::uint8_t(y);
            b.fila8(y)[3 * x + 2] = std::uint8_t(x + y + 1);
        }
    return b;
}

} // namespace

class TestImagePreview : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString tmp_;

    QString ruta(const QString& nombre) const { return dir_.filePath(nombre); }
    QString rutaLog() const { return Carpetas().tmpFolder + "/chromaflux_tif_debug.log"; }
    QStringList lineasLog() const {
        return QString::fromUtf8(LeerBytes(rutaLog())).split('\n', Qt::SkipEmptyParts);
    }
    QStringList temporales() const {
        return QDir(tmp_).entryList({"chromaflux_prev_*"}, QDir::Files);
    }

    QByteArray escribirYLeer(const BufferRGB& b) {
        const QString r = EscribirBMPTemporal(b);
        if (r.isEmpty())
            return QByteArray();
        const QByteArray bytes = LeerBytes(r);
        QFile::remove(r);
        return bytes;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        tmp_ = ruta("systmp");
        QVERIFY(QDir().mkpath(tmp_));
        qputenv("TMPDIR", tmp_.toUtf8());
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

    void bmpHeaderAndRows() {
        const QByteArray bmp = escribirYLeer(BufferPrueba(3, 2));
        const int stride = 12;
        QCOMPARE(bmp.size(), 54 + stride * 2);
        QCOMPARE(bmp.left(2), QByteArray("BM"));
        QCOMPARE(U32(bmp, 2), quint32(54 + stride * 2));
        QCOMPARE(U16(bmp, 6), quint16(0));
        QCOMPARE(U16(bmp, 8), quint16(0));
        QCOMPARE(U32(bmp, 10), 54u);
        QCOMPARE(U32(bmp, 14), 40u);
        QCOMPARE(U32(bmp, 18), 3u);
        QCOMPARE(U32(bmp, 22), 2u);
        QCOMPARE(U16(bmp, 26), quint16(1));
        QCOMPARE(U16(bmp, 28), quint16(24));
        QCOMPARE(U32(bmp, 30), 0u);
        QCOMPARE(U32(bmp, 34), quint32(stride * 2));
        QCOMPARE(U32(bmp, 38), 2835u);
        QCOMPARE(U32(bmp, 42), 2835u);
        QCOMPARE(U32(bmp, 46), 0u);
        QCOMPARE(U32(bmp, 50), 0u);
        // First row in the file is the bottom row (y = 1), pixels as blue, green, red.
        for (int x = 0; x < 3; ++x) {
            QCOMPARE(Byte(bmp, 54 + 3 * x), x + 1 + 1);
            QCOMPARE(Byte(bmp, 54 + 3 * x + 1), 1);
            QCOMPARE(Byte(bmp, 54 + 3 * x + 2), x);
            QCOMPARE(Byte(bmp, 54 + stride + 3 * x), x + 1);
            QCOMPARE(Byte(bmp, 54 + stride + 3 * x + 1), 0);
        }
        for (int k = 9; k < 12; ++k) {
            QCOMPARE(Byte(bmp, 54 + k), 0);
            QCOMPARE(Byte(bmp, 54 + stride + k), 0);
        }
        QVERIFY(temporales().isEmpty());
    }

    void strideIsPaddedToFourBytes() {
        QCOMPARE(escribirYLeer(BufferPrueba(1, 1)).size(), 58);
        QCOMPARE(escribirYLeer(BufferPrueba(4, 1)).size(), 54 + 12);
        QCOMPARE(escribirYLeer(BufferPrueba(3, 1)).size(), 54 + 12);
        const QByteArray dos = escribirYLeer(BufferPrueba(2, 1));
        QCOMPARE(dos.size(), 54 + 8);
        QCOMPARE(Byte(dos, 60), 0);
        QCOMPARE(Byte(dos, 61), 0);
    }

    void sixteenBitSamplesRoundHalfUp() {
        BufferRGB b;
        b.redimensionar(5, 1, 16);
        const std::uint16_t muestras[15] = {65535, 0, 257, 32767, 32768, 65534, 128, 129,
                                            1,     0, 0,   0,     0,     0,     0};
        std::copy(std::begin(muestras), std::end(muestras), b.fila16(0));
        QCOMPARE(b.valor(3, 0), 0.0);
        QCOMPARE(b.valor(0, 0), 1.0);
        const QByteArray bmp = escribirYLeer(b);
        QCOMPARE(bmp.size(), 54 + 16);
        // pixel 0 (65535, 0, 257): blue 257 -> 1, green 0, red 255
        QCOMPARE(Byte(bmp, 54), 1);
        QCOMPARE(Byte(bmp, 55), 0);
        QCOMPARE(Byte(bmp, 56), 255);
        // pixel 1 (32767, 32768, 65534): 127, 128, 255 (65534 -> 254.996)
        QCOMPARE(Byte(bmp, 57), 255);
        QCOMPARE(Byte(bmp, 58), 128);
        QCOMPARE(Byte(bmp, 59), 127);
        // pixel 2 (128, 129, 1): 128 -> 0.498 -> 0, 129 -> 0.502 -> 1
        QCOMPARE(Byte(bmp, 60), 0);
        QCOMPARE(Byte(bmp, 61), 1);
        QCOMPARE(Byte(bmp, 62), 0);
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
        QVERIFY(temporales().isEmpty());

        const QStringList log = lineasLog();
        QCOMPARE(log.size(), 4);
        const QRegularExpression sello(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d \| )");
        for (const QString& linea : log)
            QVERIFY2(sello.match(linea).hasMatch(), qPrintable(linea));
        QCOMPARE(log[0].mid(22), "CargarImagenFI: ruta=" + r);
        QCOMPARE(log[1].mid(22), QString("FI_CargarRGB ok: 5x4 8bps"));
        QVERIFY(QRegularExpression("^BMP temporal: " + QRegularExpression::escape(tmp_) +
                                   R"(/chromaflux_prev_-?\d+\.bmp$)")
                    .match(log[2].mid(22))
                    .hasMatch());
        QCOMPARE(log[3].mid(22), QString("LoadPicture ok"));
    }

    void sixteenBitImageIsLoggedAs16Bps() {
        const QString r = ruta("deep.tif");
        QVERIFY(EscribirImagenRGB(r, FIF_TIFF, 2, 2, 16, [](int, int) {
            return std::array<int, 3>{65535, 0, 32768};
        }));
        int w = 0, h = 0;
        const QImage imagen = CargarImagenFI(r, w, h);
        QCOMPARE(imagen.pixel(1, 1), qRgb(255, 0, 128));
        QVERIFY(lineasLog().last().endsWith("LoadPicture ok"));
        QVERIFY(lineasLog().at(lineasLog().size() - 3).endsWith("FI_CargarRGB ok: 2x2 16bps"));

        const QString gris = ruta("grey16.png");
        QVERIFY(EscribirGris16(gris, FIF_PNG, 2, 2, [](int x, int) {
            return std::array<int, 3>{x ? 32768 : 65535, 0, 0};
        }));
        QCOMPARE(CargarImagenFI(gris, w, h).pixel(1, 0), qRgb(128, 128, 128));
        QVERIFY(lineasLog().at(lineasLog().size() - 3).endsWith("FI_CargarRGB ok: 2x2 16bps"));
    }

    void failuresLeaveTheirDetail() {
        const QString falta = ruta("falta.png");
        int w = 9, h = 9;
        QVERIFY(CargarImagenFI(falta, w, h).isNull());
        QCOMPARE(QSize(w, h), QSize(0, 0));
        QCOMPARE(UltimoDetalleCarga(), "El fichero no existe: " + falta);
        QVERIFY(
            lineasLog().last().endsWith("| FI_CargarRGB fallo: El fichero no existe: " + falta));

        // No usable temporary folder: the BMP cannot be written.
        const QString r = ruta("ok.png");
        QVERIFY(EscribirImagenRGB(r, FIF_PNG, 2, 2, 8, [](int, int) {
            return std::array<int, 3>{1, 2, 3};
        }));
        qputenv("TMPDIR", ruta("no such folder").toUtf8());
        const QImage imagen = CargarImagenFI(r, w, h);
        qputenv("TMPDIR", tmp_.toUtf8());
        QVERIFY(imagen.isNull());
        QCOMPARE(UltimoDetalleCarga(), QString("No se pudo escribir BMP temporal"));
        QVERIFY(lineasLog().last().endsWith("| No se pudo escribir BMP temporal"));

        // A successful load empties the detail again.
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

#include "image/fittedimage.h"
#include "image/iccdescription.h"
#include "image/previewdrawing.h"
#include "image/reducedimage.h"

#include "imagefixtures.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

namespace {

std::array<int, 3> Rojo(int, int) {
    return {255, 0, 0};
}

long PicoMemoriaKB() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss;
}

} // namespace

class TestPreviewDrawing : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString ruta(const QString& nombre) const { return dir_.filePath(nombre); }

    QByteArray srgb_; // a real profile to embed

    bool dibujar(const QString& r, QImage& caja) {
        int w = 0, h = 0, dw = 0, dh = 0;
        return DibujarImagenAjustada(r, caja, caja.width(), caja.height(), w, h, dw, dh);
    }

private slots:
    void initTestCase() { srgb_ = PerfilSRGB(); }

    void fittingRounding() {
        // 0.4 pixels wide is drawn 1 pixel wide, centred.
        const AjusteImagen a = CalcularAjuste(10, 10000, 400, 400);
        QCOMPARE(QRect(a.izquierda, 0, a.ancho, a.alto), QRect(199, 0, 1, 400));
        // Halves go to the even neighbour: 2.5 -> 2, 3.5 -> 4.
        QCOMPARE(CalcularAjuste(5, 10, 100, 5).ancho, 2);
        QCOMPARE(CalcularAjuste(7, 10, 100, 5).ancho, 4);
        // The main window's preview keeps at least 4 pixels.
        const AjusteImagen p = CalcularAjuste(2, 2, 1, 1, 4);
        QCOMPARE(QSize(p.ancho, p.alto), QSize(4, 4));
    }

    void reducesSixteenBitImagesSmoothly_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<bool>("gris");
        QTest::newRow("RGB TIFF") << "stripes16.tif" << false;
        QTest::newRow("grey TIFF") << "grey16.tif" << true;
        QTest::newRow("grey PNG") << "grey16.png" << true;
    }
    void reducesSixteenBitImagesSmoothly() {
        QFETCH(QString, nombre);
        QFETCH(bool, gris);
        // Alternating black and white columns average to mid grey when reduced.
        const QString r = ruta(nombre);
        const auto rayas = [](int x, int) {
            const int v = x % 2 ? 65535 : 0;
            return std::array<int, 3>{v, v, v};
        };
        const FREE_IMAGE_FORMAT fif = r.endsWith("png") ? FIF_PNG : FIF_TIFF;
        QVERIFY(gris ? EscribirGris16(r, fif, 400, 200, rayas)
                     : EscribirImagenRGB(r, fif, 400, 200, 16, rayas));
        QImage caja(100, 100, QImage::Format_RGB32);
        QVERIFY2(dibujar(r, caja), qPrintable(UltimoErrorVistaPrevia()));
        const QRgb centro = caja.pixel(50, 50);
        QVERIFY2(qAbs(qRed(centro) - 128) <= 8, qPrintable(QString::number(qRed(centro))));
        QCOMPARE(caja.pixel(50, 10), qRgb(0, 0, 0)); // fitted 100 x 50, centred over black
    }

    // The right column and bottom row are partial blocks, averaged over what they hold.
    void partialBlocksAverageWhatTheyHold() {
        FIBITMAP* b = FreeImage_Allocate(5, 3, 24);
        for (int y = 0; y < 3; ++y) {
            BYTE* linea = FreeImage_GetScanLine(b, 2 - y);
            for (int x = 0; x < 5; ++x) {
                linea[3 * x + FI_RGBA_RED] = BYTE(10 * x);
                linea[3 * x + FI_RGBA_GREEN] = BYTE(100 * y);
                linea[3 * x + FI_RGBA_BLUE] = 7;
            }
        }
        const QImage r = ReducirBitmap(b, 2);
        FreeImage_Unload(b);
        QCOMPARE(r.size(), QSize(3, 2));
        QCOMPARE(r.pixel(0, 0), qRgb(5, 50, 7));
        QCOMPARE(r.pixel(2, 1), qRgb(40, 200, 7));
    }

    void transparencyIsBlendedOverBlack() {
        FIBITMAP* b = FreeImage_Allocate(2, 2, 32);
        for (int y = 0; y < 2; ++y) {
            auto* p = reinterpret_cast<RGBQUAD*>(FreeImage_GetScanLine(b, y));
            for (int x = 0; x < 2; ++x)
                p[x] = RGBQUAD{255, 255, 255, BYTE(x == 0 ? 0 : 255)};
        }
        QVERIFY(FreeImage_Save(FIF_PNG, b, QFile::encodeName(ruta("alpha.png")).constData(), 0));
        FreeImage_Unload(b);
        QImage caja(2, 2, QImage::Format_RGB32);
        caja.fill(Qt::green);
        QVERIFY(dibujar(ruta("alpha.png"), caja));
        QCOMPARE(caja.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(caja.pixel(1, 0), qRgb(255, 255, 255));
    }

    // A failure leaves its reason; the next drawing starts with none.
    void failureThenSuccess() {
        QImage caja(10, 10, QImage::Format_RGB32);
        QVERIFY(EscribirBytes(ruta("huge.png"), PngConCabecera(100000, 100000)));
        QVERIFY(!dibujar(ruta("huge.png"), caja));
        QCOMPARE(UltimoErrorVistaPrevia(), QString("No se pudo abrir el TIFF (3)"));
        QVERIFY(EscribirImagenRGB(ruta("ok.png"), FIF_PNG, 3, 3, 8, Rojo));
        QVERIFY(dibujar(ruta("ok.png"), caja));
        QVERIFY(UltimoErrorVistaPrevia().isEmpty());
    }

    void embeddedProfiles_data() {
        QTest::addColumn<int>("formato");
        QTest::addColumn<QString>("nombre");
        QTest::newRow("tiff") << int(FIF_TIFF) << "icc.tif";
        QTest::newRow("png") << int(FIF_PNG) << "icc.png";
        QTest::newRow("jpeg") << int(FIF_JPEG) << "icc.jpg";
    }
    void embeddedProfiles() {
        QFETCH(int, formato);
        QFETCH(QString, nombre);
        QVERIFY2(!srgb_.isEmpty(), "ArgyllCMS reference profiles are not installed");
        const QString con = ruta(nombre);
        const QString sin = ruta("plain_" + nombre);
        QVERIFY(EscribirImagenRGB(con, FREE_IMAGE_FORMAT(formato), 8, 8, 8, Rojo, srgb_));
        QVERIFY(EscribirImagenRGB(sin, FREE_IMAGE_FORMAT(formato), 8, 8, 8, Rojo));
        bool tiene = false;
        QString descripcion;
        QVERIFY(LeerPerfilIncrustado(con, tiene, descripcion));
        QVERIFY(tiene);
        QCOMPARE(descripcion, DescripcionPerfilICC(srgb_));
        QVERIFY(LeerPerfilIncrustado(sin, tiene, descripcion));
        QVERIFY(!tiene && descripcion.isEmpty());
    }

    void profileOfAHugeImageIsReadFromItsHeader() {
        QVERIFY2(!srgb_.isEmpty(), "ArgyllCMS reference profiles are not installed");
        QVERIFY(EscribirBytes(ruta("huge_icc.png"), PngConCabecera(60000, 60000, srgb_)));
        const long antes = PicoMemoriaKB();
        bool tiene = false;
        QString descripcion;
        QVERIFY2(LeerPerfilIncrustado(ruta("huge_icc.png"), tiene, descripcion),
                 qPrintable(UltimoErrorVistaPrevia()));
        QCOMPARE(descripcion, DescripcionPerfilICC(srgb_));
        QVERIFY(PicoMemoriaKB() - antes < 50 * 1024);
    }
};

QTEST_MAIN(TestPreviewDrawing)
#include "tst_previewdrawing.moc"

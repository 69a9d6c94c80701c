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

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void fittingGeometry() {
        AjusteImagen a = CalcularAjuste(4000, 2000, 400, 300);
        QCOMPARE(a.escala, 0.1);
        QCOMPARE(a.rectangulo(), QRect(0, 50, 400, 200));
        a = CalcularAjuste(100, 100, 400, 300);
        QCOMPARE(a.escala, 3.0);
        QCOMPARE(a.rectangulo(), QRect(50, 0, 300, 300));
        // 0.4 pixels wide is drawn 1 pixel wide.
        a = CalcularAjuste(10, 10000, 400, 400);
        QCOMPARE(a.ancho, 1);
        QCOMPARE(a.alto, 400);
        QCOMPARE(a.izquierda, 199);
        // Halves go to the even neighbour: 2.5 -> 2, 3.5 -> 4.
        QCOMPARE(CalcularAjuste(5, 10, 100, 5).ancho, 2);
        QCOMPARE(CalcularAjuste(7, 10, 100, 5).ancho, 4);
        // The main window's preview: height ratio, top-left, at least 4 pixels.
        a = CalcularAjuste(4000, 3000, 400, 250, 4);
        QCOMPARE(a.escala, 250.0 / 3000);
        QCOMPARE(QSize(a.ancho, a.alto), QSize(333, 250));
        a = CalcularAjuste(2, 2, 1, 1, 4);
        QCOMPARE(QSize(a.ancho, a.alto), QSize(4, 4));
    }

    void drawsFittedAndCentredOverBlack() {
        const QString r = ruta("wide.png");
        QVERIFY(EscribirImagenRGB(r, FIF_PNG, 40, 20, 8, Rojo));
        QImage caja(400, 300, QImage::Format_RGB32);
        caja.fill(Qt::white);
        int w = 0, h = 0, dw = 0, dh = 0;
        QVERIFY2(DibujarImagenAjustada(r, caja, 400, 300, w, h, dw, dh),
                 qPrintable(UltimoErrorVistaPrevia()));
        QVERIFY(UltimoErrorVistaPrevia().isEmpty());
        QCOMPARE(QSize(w, h), QSize(40, 20));
        QCOMPARE(QSize(dw, dh), QSize(400, 200));
        QCOMPARE(caja.pixel(200, 10), qRgb(0, 0, 0));
        QCOMPARE(caja.pixel(200, 49), qRgb(0, 0, 0));
        QCOMPARE(caja.pixel(0, 50), qRgb(255, 0, 0));
        QCOMPARE(caja.pixel(399, 249), qRgb(255, 0, 0));
        QCOMPARE(caja.pixel(200, 250), qRgb(0, 0, 0));
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
        int w = 0, h = 0, dw = 0, dh = 0;
        QVERIFY2(DibujarImagenAjustada(r, caja, 100, 100, w, h, dw, dh),
                 qPrintable(UltimoErrorVistaPrevia()));
        QCOMPARE(QSize(dw, dh), QSize(100, 50));
        const QRgb centro = caja.pixel(50, 50);
        QVERIFY2(qAbs(qRed(centro) - 128) <= 8, qPrintable(QString::number(qRed(centro))));
        QCOMPARE(caja.pixel(50, 10), qRgb(0, 0, 0));
    }

    void blockAveragesStraightFromTheBitmap() {
        // 5 x 3 pixels in 2 x 2 blocks: the right column and bottom row are partial blocks.
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
        QCOMPARE(r.size(), QSize(3, 2));
        QCOMPARE(r.pixel(0, 0), qRgb(5, 50, 7));   // x 0..1, y 0..1
        QCOMPARE(r.pixel(2, 0), qRgb(40, 50, 7));  // x 4, y 0..1
        QCOMPARE(r.pixel(1, 1), qRgb(25, 200, 7)); // x 2..3, y 2
        QCOMPARE(r.pixel(2, 1), qRgb(40, 200, 7)); // x 4, y 2
        QCOMPARE(ReducirBitmap(b, 1).pixel(3, 2), qRgb(30, 200, 7));
        FreeImage_Unload(b);

        FIBITMAP* p16 = FreeImage_AllocateT(FIT_RGB16, 2, 1);
        auto* px = reinterpret_cast<FIRGB16*>(FreeImage_GetScanLine(p16, 0));
        px[0] = FIRGB16{65535, 0, 512};
        px[1] = FIRGB16{0, 0, 1024};
        QCOMPARE(ReducirBitmap(p16, 2).pixel(0, 0), qRgb(128, 0, 3));
        FreeImage_Unload(p16);

        FIBITMAP* paleta = FreeImage_Allocate(2, 2, 8);
        QVERIFY(ReducirBitmap(paleta, 1).isNull());
        FreeImage_Unload(paleta);
    }

    void transparencyIsBlendedOverBlack() {
        const QString r = ruta("alpha.png");
        FIBITMAP* b = FreeImage_Allocate(2, 2, 32);
        for (int y = 0; y < 2; ++y) {
            auto* p = reinterpret_cast<RGBQUAD*>(FreeImage_GetScanLine(b, y));
            for (int x = 0; x < 2; ++x)
                p[x] = RGBQUAD{255, 255, 255, BYTE(x == 0 ? 0 : 255)};
        }
        QVERIFY(FreeImage_Save(FIF_PNG, b, QFile::encodeName(r).constData(), 0));
        FreeImage_Unload(b);
        QImage caja(2, 2, QImage::Format_RGB32);
        caja.fill(Qt::green);
        int w = 0, h = 0, dw = 0, dh = 0;
        QVERIFY(DibujarImagenAjustada(r, caja, 2, 2, w, h, dw, dh));
        QCOMPARE(caja.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(caja.pixel(1, 0), qRgb(255, 255, 255));
    }

    void drawingFailures() {
        QImage caja(10, 10, QImage::Format_RGB32);
        int w = 0, h = 0, dw = 0, dh = 0;
        QVERIFY(!DibujarImagenAjustada(ruta("missing.tif"), caja, 10, 10, w, h, dw, dh));
        QCOMPARE(UltimoErrorVistaPrevia(), QString("No se pudo abrir el TIFF (10)"));
        QVERIFY(EscribirBytes(ruta("text.tif"), "no es un TIFF"));
        QVERIFY(!DibujarImagenAjustada(ruta("text.tif"), caja, 10, 10, w, h, dw, dh));
        QCOMPARE(UltimoErrorVistaPrevia(), QString("No se pudo abrir el TIFF (1)"));
        QVERIFY(EscribirBytes(ruta("text.abc"), "no es nada"));
        QVERIFY(!DibujarImagenAjustada(ruta("text.abc"), caja, 10, 10, w, h, dw, dh));
        QCOMPARE(UltimoErrorVistaPrevia(), QString("No se pudo abrir el TIFF (13)"));
        QVERIFY(EscribirBytes(ruta("huge.png"), PngConCabecera(100000, 100000)));
        QVERIFY(!DibujarImagenAjustada(ruta("huge.png"), caja, 10, 10, w, h, dw, dh));
        QCOMPARE(UltimoErrorVistaPrevia(), QString("No se pudo abrir el TIFF (3)"));

        QVERIFY(EscribirImagenRGB(ruta("ok.png"), FIF_PNG, 3, 3, 8, Rojo));
        QImage nula;
        QVERIFY(!DibujarImagenAjustada(ruta("ok.png"), nula, 10, 10, w, h, dw, dh));
        QCOMPARE(UltimoErrorVistaPrevia(), QString("No se pudo crear el lienzo de dibujo (1)"));
        // The next operation starts with an empty error.
        QVERIFY(DibujarImagenAjustada(ruta("ok.png"), caja, 10, 10, w, h, dw, dh));
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
        const QByteArray srgb = PerfilSRGB();
        if (srgb.isEmpty())
            QSKIP("ArgyllCMS reference profiles are not installed");
        const QString con = ruta(nombre);
        const QString sin = ruta("plain_" + nombre);
        QVERIFY(EscribirImagenRGB(con, FREE_IMAGE_FORMAT(formato), 8, 8, 8, Rojo, srgb));
        QVERIFY(EscribirImagenRGB(sin, FREE_IMAGE_FORMAT(formato), 8, 8, 8, Rojo));

        bool tiene = false;
        QVERIFY(TieneICCIncrustado(con, tiene));
        QVERIFY(tiene);
        QString descripcion;
        QVERIFY(LeerPerfilIncrustado(con, tiene, descripcion));
        QVERIFY(tiene);
        QVERIFY(!descripcion.isEmpty());
        QCOMPARE(descripcion, DescripcionPerfilICC(srgb));

        QVERIFY(TieneICCIncrustado(sin, tiene));
        QVERIFY(!tiene);
        QVERIFY(LeerPerfilIncrustado(sin, tiene, descripcion));
        QVERIFY(!tiene);
        QVERIFY(descripcion.isEmpty());
        QVERIFY(UltimoErrorVistaPrevia().isEmpty());
    }

    void profileQuestionFailures() {
        bool tiene = true;
        QVERIFY(!TieneICCIncrustado(ruta("missing.jpg"), tiene));
        QVERIFY(!tiene);
        QCOMPARE(UltimoErrorVistaPrevia(), QString("No se pudo abrir la imagen (10)"));
        QString descripcion = "x";
        QVERIFY(EscribirBytes(ruta("bad.jpg"), "nada"));
        QVERIFY(!LeerPerfilIncrustado(ruta("bad.jpg"), tiene, descripcion));
        QCOMPARE(UltimoErrorVistaPrevia(), QString("No se pudo abrir la imagen (1)"));
        QVERIFY(descripcion.isEmpty());
    }

    void profileOfAHugeImageIsReadFromItsHeader() {
        const QByteArray srgb = PerfilSRGB();
        if (srgb.isEmpty())
            QSKIP("ArgyllCMS reference profiles are not installed");
        QVERIFY(EscribirBytes(ruta("huge_icc.png"), PngConCabecera(60000, 60000, srgb)));
        const long antes = PicoMemoriaKB();
        bool tiene = false;
        QString descripcion;
        QVERIFY2(LeerPerfilIncrustado(ruta("huge_icc.png"), tiene, descripcion),
                 qPrintable(UltimoErrorVistaPrevia()));
        QVERIFY(tiene);
        QCOMPARE(descripcion, DescripcionPerfilICC(srgb));
        QVERIFY(PicoMemoriaKB() - antes < 50 * 1024);
    }
};

QTEST_MAIN(TestPreviewDrawing)
#include "tst_previewdrawing.moc"

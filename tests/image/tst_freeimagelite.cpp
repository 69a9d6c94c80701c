#include "image/bufferrgb.h"
#include "image/freeimagelite.h"

#include "imagefixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

namespace {

// Distinct colours at the four corners, grey elsewhere.
std::array<int, 3> Esquinas(int x, int y, int w, int h) {
    if (x == 0 && y == 0)
        return {255, 0, 0};
    if (x == w - 1 && y == 0)
        return {0, 255, 0};
    if (x == w - 1 && y == h - 1)
        return {0, 0, 255};
    if (x == 0 && y == h - 1)
        return {255, 255, 0};
    return {128, 128, 128};
}

bool MismoColor(const BufferRGB& b, qsizetype i, std::array<int, 3> rgb) {
    return b.valor(i, 0) == rgb[0] / 255.0 && b.valor(i, 1) == rgb[1] / 255.0 &&
           b.valor(i, 2) == rgb[2] / 255.0;
}

long PicoMemoriaKB() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss;
}

} // namespace

class TestFreeImageLite : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString ruta(const QString& nombre) const { return dir_.filePath(nombre); }

    QString imagenEsquinas(const QString& nombre, FREE_IMAGE_FORMAT fif, int w, int h) const {
        const QString r = ruta(nombre);
        EscribirImagenRGB(r, fif, w, h, 8, [w, h](int x, int y) { return Esquinas(x, y, w, h); });
        return r;
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void reads16BitRgbInFileOrder() {
        const QString r = ruta("rgb16.tif");
        QVERIFY(EscribirImagenRGB(r, FIF_TIFF, 2, 2, 16, [](int x, int y) {
            return y == 0 && x == 0   ? std::array<int, 3>{0, 1, 65535}
                   : y == 0 && x == 1 ? std::array<int, 3>{12345, 40000, 65534}
                                      : std::array<int, 3>{7, 8, 9};
        }));
        int w = 0, h = 0, bits = 0;
        BufferRGB b;
        QVERIFY2(FI_CargarRGB(r, w, h, bits, b), qPrintable(FI_UltimoError()));
        QCOMPARE(bits, 16);
        QCOMPARE(b.bitsPorMuestra(), 16);
        QCOMPARE(w, 2);
        QCOMPARE(b.ancho(), 2);
        QCOMPARE(b.valor(0, 0), 0.0);
        QCOMPARE(b.valor(0, 1), 1 / 65535.0);
        QCOMPARE(b.valor(0, 2), 1.0);
        QCOMPARE(b.valor(1, 0), 12345 / 65535.0);
        QCOMPARE(b.valor(1, 1), 40000 / 65535.0);
        QCOMPARE(b.valor(1, 2), 65534 / 65535.0);
        QCOMPARE(b.valor(3, 2), 9 / 65535.0);
        // The description of the image stays as the last error after success.
        QCOMPARE(FI_UltimoError(), QString("fif=18 it=9 bpp=48 W=2 H=2 pitch=12"));
    }

    void eightBitImagesTopRowFirst() {
        const QString r = imagenEsquinas("corners.png", FIF_PNG, 5, 3);
        int w = 0, h = 0, bits = 0;
        BufferRGB b;
        QVERIFY(FI_CargarRGB(r, w, h, bits, b));
        QCOMPARE(bits, 8);
        QCOMPARE(QSize(w, h), QSize(5, 3));
        QCOMPARE(b.pixeles(), 15);
        QVERIFY(MismoColor(b, 0, {255, 0, 0}));
        QVERIFY(MismoColor(b, 4, {0, 255, 0}));
        QVERIFY(MismoColor(b, 14, {0, 0, 255}));
        QVERIFY(MismoColor(b, 10, {255, 255, 0}));
        QVERIFY(MismoColor(b, 7, {128, 128, 128}));
        QVERIFY(FI_UltimoError().startsWith("fif=13 it=1 bpp=24 W=5 H=3 pitch="));
    }

    void paletteImageIsExpanded() {
        const QString r = ruta("palette.bmp");
        FIBITMAP* p = FreeImage_Allocate(2, 1, 8);
        RGBQUAD* paleta = FreeImage_GetPalette(p);
        paleta[5] = RGBQUAD{10, 20, 30, 0}; // blue, green, red
        FreeImage_GetScanLine(p, 0)[0] = 5;
        QVERIFY(FreeImage_Save(FIF_BMP, p, QFile::encodeName(r).constData(), 0));
        FreeImage_Unload(p);
        int w = 0, h = 0, bits = 0;
        BufferRGB b;
        QVERIFY(FI_CargarRGB(r, w, h, bits, b));
        QCOMPARE(bits, 8);
        QCOMPARE(b.valor(0, 0), 30 / 255.0);
        QCOMPARE(b.valor(0, 1), 20 / 255.0);
        QCOMPARE(b.valor(0, 2), 10 / 255.0);
        QVERIFY(FI_UltimoError().startsWith("fif=0 it=1 bpp=8 "));
    }

    void detectionByContentThenExtension() {
        // A PNG without extension and one whose extension lies are read by their content.
        const QString png = imagenEsquinas("png.png", FIF_PNG, 3, 2);
        QVERIFY(QFile::copy(png, ruta("chartimage")));
        QVERIFY(QFile::copy(png, ruta("liar.jpg")));
        for (const QString nombre : {"chartimage", "liar.jpg"}) {
            int w = 0, h = 0;
            QVERIFY2(FI_ObtenerDimensiones(ruta(nombre), w, h), qPrintable(nombre));
            QCOMPARE(QSize(w, h), QSize(3, 2));
        }
        // Not an image: the extension names the format, the library cannot read it.
        QVERIFY(EscribirBytes(ruta("text.tif"), "esto no es una imagen\n"));
        QVERIFY(EscribirBytes(ruta("text.png"), "esto no es una imagen\n"));
        QVERIFY(EscribirBytes(ruta("empty.tif"), QByteArray()));
        QVERIFY(EscribirBytes(ruta("text.xyz"), "esto no es una imagen\n"));
        int w = 0, h = 0;
        QVERIFY(!FI_ObtenerDimensiones(ruta("text.tif"), w, h));
        QCOMPARE(FI_UltimoError(), QString("FreeImage_Load fallo (fif=18)"));
        QVERIFY(!FI_ObtenerDimensiones(ruta("text.png"), w, h));
        QCOMPARE(FI_UltimoError(), QString("FreeImage_Load fallo (fif=13)"));
        QVERIFY(!FI_ObtenerDimensiones(ruta("empty.tif"), w, h));
        QCOMPARE(FI_UltimoError(), QString("FreeImage_Load fallo (fif=18)"));
        BufferRGB b;
        int bits = 0;
        QVERIFY(!FI_CargarRGB(ruta("text.xyz"), w, h, bits, b));
        QCOMPARE(FI_UltimoError(), QString("Formato no reconocido"));
    }

    void missingFileNamesThePathAsGiven() {
        const QString r = ruta("no existe/carta.tif");
        int w = 0, h = 0, bits = 0;
        BufferRGB b;
        QVERIFY(!FI_CargarRGB(r, w, h, bits, b));
        QCOMPARE(FI_UltimoError(), "El fichero no existe: " + r);
        QVERIFY(!FI_RotarGuardarTIFF(r, ruta("x.tif"), true));
        QCOMPARE(FI_UltimoError(), "El fichero no existe: " + r);
        QVERIFY(!FI_ConvertirATIFFRGB(r, ruta("x.tif")));
        QCOMPARE(FI_UltimoError(), "El fichero no existe: " + r);
        QVERIFY(!QFile::exists(ruta("x.tif")));
    }

    void truncatedFilesFailCleanly_data() {
        QTest::addColumn<int>("formato");
        QTest::addColumn<QString>("nombre");
        QTest::newRow("tiff") << int(FIF_TIFF) << "cut.tif";
        QTest::newRow("png") << int(FIF_PNG) << "cut.png";
        QTest::newRow("jpeg") << int(FIF_JPEG) << "cut.jpg";
    }

    void truncatedFilesFailCleanly() {
        QFETCH(int, formato);
        QFETCH(QString, nombre);
        const QString entero = ruta("whole_" + nombre);
        QVERIFY(
            EscribirImagenRGB(entero, FREE_IMAGE_FORMAT(formato), 300, 200, 8, [](int x, int y) {
                return std::array<int, 3>{x % 256, y % 256, (x * y) % 256};
            }));
        const QByteArray bytes = LeerBytes(entero);
        for (const double parte : {0.02, 0.5, 0.9}) {
            QVERIFY(EscribirBytes(ruta(nombre), bytes.left(qsizetype(bytes.size() * parte))));
            int w = 0, h = 0, bits = 0;
            BufferRGB b;
            // The decoders may recover a partial image; anything else must be a clean failure.
            if (FI_CargarRGB(ruta(nombre), w, h, bits, b)) {
                QCOMPARE(QSize(w, h), QSize(300, 200));
                QCOMPARE(b.pixeles(), 300 * 200);
            } else {
                QCOMPARE(FI_UltimoError(), QString("FreeImage_Load fallo (fif=%1)").arg(formato));
            }
        }
    }

    void absurdHeaderIsRefusedBeforeDecoding() {
        QVERIFY(EscribirBytes(ruta("huge.png"), PngConCabecera(100000, 100000)));
        QVERIFY(EscribirBytes(ruta("huge.bmp"), BmpConCabecera(100000, 100000)));
        const long antes = PicoMemoriaKB();
        int w = 0, h = 0, bits = 0;
        BufferRGB b;
        QVERIFY(!FI_CargarRGB(ruta("huge.png"), w, h, bits, b));
        QCOMPARE(FI_UltimoError(),
                 QString("FreeImage_Load fallo (fif=13): imagen demasiado grande (100000x100000)"));
        QVERIFY(!FI_ObtenerDimensiones(ruta("huge.bmp"), w, h));
        QCOMPARE(FI_UltimoError(),
                 QString("FreeImage_Load fallo (fif=0): imagen demasiado grande (100000x100000)"));
        // GIF headers cannot be read alone by the library; Qt reads the size instead.
        QByteArray gif("GIF89a\x60\xea\x60\xea\x00\x00\x00", 13);
        gif += QByteArray("\x2c\0\0\0\0\x60\xea\x60\xea\0\x02\x02\x44\x01\0\x3b", 17);
        QVERIFY(EscribirBytes(ruta("huge.gif"), gif));
        QVERIFY(!FI_ObtenerDimensiones(ruta("huge.gif"), w, h));
        QCOMPARE(FI_UltimoError(),
                 QString("FreeImage_Load fallo (fif=25): imagen demasiado grande (60000x60000)"));
        QVERIFY(!FI_ConvertirATIFFRGB(ruta("huge.png"), ruta("huge.tif")));
        QVERIFY(!QFile::exists(ruta("huge.tif")));
        QVERIFY(PicoMemoriaKB() - antes < 50 * 1024);
    }

    void onePixelImage() {
        const QString r = ruta("one.png");
        QVERIFY(EscribirImagenRGB(r, FIF_PNG, 1, 1, 8, [](int, int) {
            return std::array<int, 3>{1, 2, 3};
        }));
        int w = 0, h = 0, bits = 0;
        BufferRGB b;
        QVERIFY(FI_CargarRGB(r, w, h, bits, b));
        QCOMPARE(b.pixeles(), 1);
        QVERIFY(MismoColor(b, 0, {1, 2, 3}));
        const QImage escalada = FI_CargarEscalada(r, 4, 4, w, h);
        QCOMPARE(escalada.size(), QSize(4, 4));
    }

    void pathsWithBlanksAndNonAsciiLetters() {
        const QString carpeta = ruta("carpeta con blancos/ñandú €");
        QVERIFY(QDir().mkpath(carpeta));
        const QString origen = carpeta + "/carta de prueba ü.png";
        QVERIFY(EscribirImagenRGB(origen, FIF_PNG, 4, 3, 8,
                                  [](int x, int y) { return Esquinas(x, y, 4, 3); }));
        const QString destino = carpeta + "/convertida ç.tif";
        QVERIFY2(FI_ConvertirATIFFRGB(origen, destino), qPrintable(FI_UltimoError()));
        int w = 0, h = 0, bits = 0;
        BufferRGB b;
        QVERIFY(FI_CargarRGB(destino, w, h, bits, b));
        QVERIFY(FI_UltimoError().startsWith("fif=18 "));
        QVERIFY(MismoColor(b, 11, {0, 0, 255}));
    }

    void quarterTurns() {
        const QString origen = imagenEsquinas("turn.png", FIF_PNG, 3, 2);
        int w = 0, h = 0, bits = 0;
        BufferRGB b;
        // Clockwise: the bottom-left corner comes to the top left.
        QVERIFY(FI_RotarGuardarTIFF(origen, ruta("cw.tif"), true));
        QVERIFY(FI_CargarRGB(ruta("cw.tif"), w, h, bits, b));
        QCOMPARE(QSize(w, h), QSize(2, 3));
        QVERIFY(MismoColor(b, 0, {255, 255, 0}));
        QVERIFY(MismoColor(b, 1, {255, 0, 0}));
        // Counter-clockwise: the top-right corner comes to the top left.
        QVERIFY(FI_RotarGuardarTIFF(origen, ruta("ccw.tif"), false));
        QVERIFY(FI_CargarRGB(ruta("ccw.tif"), w, h, bits, b));
        QCOMPARE(QSize(w, h), QSize(2, 3));
        QVERIFY(MismoColor(b, 0, {0, 255, 0}));
        QVERIFY(MismoColor(b, 5, {255, 255, 0}));
        QVERIFY(!FI_RotarGuardarTIFF(origen, ruta("no folder/x.tif"), true));
        QCOMPARE(FI_UltimoError(), QString("FreeImage_Save TIFF rotado fallo"));
    }

    void sixteenBitSourceStaysSixteenBit() {
        const QString origen = ruta("deep.png");
        QVERIFY(EscribirImagenRGB(origen, FIF_PNG, 3, 3, 16, [](int, int) {
            return std::array<int, 3>{65535, 32769, 0};
        }));
        QVERIFY(FI_ConvertirATIFFRGB(origen, ruta("deep.tif")));
        int w = 0, h = 0, bits = 0;
        BufferRGB b;
        QVERIFY(FI_CargarRGB(ruta("deep.tif"), w, h, bits, b));
        QCOMPARE(bits, 16);
        QCOMPARE(b.valor(0, 0), 1.0);
        QCOMPARE(b.valor(0, 1), 32769 / 65535.0);
        QVERIFY(!FI_ConvertirATIFFRGB(origen, ruta("no folder/x.tif")));
        QCOMPARE(FI_UltimoError(), QString("FreeImage_Save TIFF RGB fallo"));
    }

    void scaledPicture() {
        const QString r = imagenEsquinas("scale.png", FIF_PNG, 30, 20);
        int w = 0, h = 0;
        // A target of 0 fails before the file is looked at.
        QVERIFY(FI_CargarEscalada(ruta("missing.png"), 0, 10, w, h).isNull());
        QCOMPARE(FI_UltimoError(), QString("Dimensiones de destino no válidas"));
        QVERIFY(FI_CargarEscalada(r, 10, -1, w, h).isNull());
        QCOMPARE(FI_UltimoError(), QString("Dimensiones de destino no válidas"));

        // Exactly the image's size: the pixels come through unchanged.
        const QImage igual = FI_CargarEscalada(r, 30, 20, w, h);
        QCOMPARE(igual.size(), QSize(30, 20));
        QCOMPARE(QSize(w, h), QSize(30, 20));
        QCOMPARE(igual.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(igual.pixel(29, 19), qRgb(0, 0, 255));

        // Stretched to the target whatever the aspect ratio.
        const QImage estirada = FI_CargarEscalada(r, 7, 11, w, h);
        QCOMPARE(estirada.size(), QSize(7, 11));
        QCOMPARE(QSize(w, h), QSize(30, 20));
        QCOMPARE(estirada.pixel(3, 5), qRgb(128, 128, 128));
    }

    void liberarClearsTheLastError() {
        int w = 0, h = 0;
        QVERIFY(!FI_ObtenerDimensiones(ruta("missing.png"), w, h));
        QVERIFY(!FI_UltimoError().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFreeImageLite)
#include "tst_freeimagelite.moc"

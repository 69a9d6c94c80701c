// Image files: decoding through the image library, conversion for scanin, turns, damaged and
// absurd files, the histogram of every image layout; the PNG profile reader; the ICC
// description reader against lcms2 (the chart renderer's test reads one colprof writes).

#include "image/bufferrgb.h"
#include "image/freeimagelite.h"
#include "image/histogram.h"
#include "image/iccdescription.h"
#include "image/pngiccp.h"

#include "iccbuilder.h"
#include "imagefixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

#include <lcms2.h>

namespace {

using Rgb = std::array<int, 3>;

// Red, green, yellow and blue at the top-left, top-right, bottom-left and bottom-right corners.
PixelRGB Esquinas(int w, int h) {
    return [w, h](int x, int y) -> Rgb {
        const bool izq = x == 0, der = x == w - 1, arriba = y == 0, abajo = y == h - 1;
        if (!(izq || der) || !(arriba || abajo))
            return {128, 128, 128};
        return {izq ? 255 : 0, (der && arriba) || (izq && abajo) ? 255 : 0, der && abajo ? 255 : 0};
    };
}

// The decoded image; empty on failure or when the sizes reported disagree with it.
BufferRGB Cargar(const QString& ruta) {
    int w = 0, h = 0, bits = 0;
    BufferRGB b;
    const bool ok = FI_CargarRGB(ruta, w, h, bits, b);
    return ok && w == b.ancho() && h == b.alto() && bits == b.bitsPorMuestra() ? b : BufferRGB();
}

Rgb Pixel(const BufferRGB& b, qsizetype i) {
    return {b.muestra(i, 0), b.muestra(i, 1), b.muestra(i, 2)};
}

int BinDefinido(double v0, double v1, double v2) {
    return std::clamp(int((v0 + v1 + v2) / 3.0 * 255.0 + 0.5), 0, 255);
}

std::array<int, 3> Ruido(int x, int y) {
    return {(x * 3701 + y * 1103) % 65536, (x * 517 + y * 9133) % 65536, (x * y * 257 + 7) % 65536};
}

struct CierraPerfil {
    void operator()(void* h) const { cmsCloseProfile(h); }
};
using PerfilLcms = std::unique_ptr<void, CierraPerfil>;

// What lcms2 reads as the description.
QString DescripcionLcms(const QByteArray& bytes) {
    const PerfilLcms h(cmsOpenProfileFromMem(bytes.constData(), cmsUInt32Number(bytes.size())));
    wchar_t texto[1024] = {};
    if (h)
        cmsGetProfileInfo(h.get(), cmsInfoDescription, "en", "US", texto, 1024);
    return h ? QString::fromWCharArray(texto) : QStringLiteral("<lcms2 could not open>");
}

QByteArray ConU32(QByteArray bytes, qsizetype p, quint32 valor) {
    PonerU32BE(bytes, p, valor);
    return bytes;
}

} // namespace

class TestImageFiles : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString ruta(const QString& nombre) const { return dir_.filePath(nombre); }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QVERIFY(EscribirImagenRGB(ruta("corners.png"), FIF_PNG, 5, 3, 8, Esquinas(5, 3)));
    }

    // 16-bit samples keep their values, also through the conversion for scanin.
    void sixteenBits() {
        QVERIFY(EscribirImagenRGB(ruta("rgb16.tif"), FIF_TIFF, 2, 2, 16, [](int x, int y) {
            return x + y == 0 ? Rgb{0, 1, 65535} : Rgb{12345 + x, 40000 + y, 65534};
        }));
        QVERIFY(FI_ConvertirATIFFRGB(ruta("rgb16.tif"), ruta("deep.tif")));
        for (const char* nombre : {"rgb16.tif", "deep.tif"}) {
            const BufferRGB b = Cargar(ruta(nombre));
            QCOMPARE(b.bitsPorMuestra(), 16);
            QCOMPARE(b.valor(0, 2), 1.0);
            QCOMPARE(Pixel(b, 1), (Rgb{12346, 40000, 65534}));
            QCOMPARE(Pixel(b, 2), (Rgb{12345, 40001, 65534}));
        }
    }

    // Top row first, left to right, red-green-blue: from PNG, by content under a wrong name,
    // and converted to TIFF in a folder with blanks and non-ASCII letters.
    void eightBitLayouts() {
        const QString carpeta = ruta("carpeta con blancos/ñandú €");
        QVERIFY(QDir().mkpath(carpeta));
        QVERIFY(FI_ConvertirATIFFRGB(ruta("corners.png"), carpeta + "/convertida ç.tif"));
        QVERIFY(QFile::copy(ruta("corners.png"), ruta("liar.jpg")));
        for (const QString& r :
             {ruta("corners.png"), ruta("liar.jpg"), carpeta + "/convertida ç.tif"}) {
            const BufferRGB b = Cargar(r);
            QCOMPARE(QSize(b.ancho(), b.alto()), QSize(5, 3));
            QCOMPARE(b.bitsPorMuestra(), 8);
            const QList<Rgb> esquinas = {Pixel(b, 0), Pixel(b, 4), Pixel(b, 10), Pixel(b, 14)};
            QCOMPARE(esquinas, (QList<Rgb>{{255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {0, 0, 255}}));
        }
    }

    // Clockwise the bottom-left corner comes to the top left, counter-clockwise the top right.
    void quarterTurns() {
        QVERIFY(FI_RotarGuardarTIFF(ruta("corners.png"), ruta("cw.tif"), true));
        QVERIFY(FI_RotarGuardarTIFF(ruta("corners.png"), ruta("ccw.tif"), false));
        const BufferRGB cw = Cargar(ruta("cw.tif"));
        QCOMPARE(QSize(cw.ancho(), cw.alto()), QSize(3, 5));
        QCOMPARE(Pixel(cw, 0), (Rgb{255, 255, 0}));
        QCOMPARE(Pixel(cw, 2), (Rgb{255, 0, 0}));
        QCOMPARE(Pixel(Cargar(ruta("ccw.tif")), 0), (Rgb{0, 255, 0}));
    }

    void unreadableFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("motivo");
        const auto entera = [this](const QString& nombre, FREE_IMAGE_FORMAT fif) {
            EscribirImagenRGB(ruta(nombre), fif, 300, 200, 8, [](int x, int y) {
                return Rgb{x % 256, y % 256, (x * y) % 256};
            });
            return LeerBytes(ruta(nombre));
        };
        const QByteArray tif = entera("whole.tif", FIF_TIFF);
        const QByteArray png = entera("whole.png", FIF_PNG);
        QTest::newRow("text tif") << QByteArray("no es una imagen\n") << "text.tif"
                                  << "fif=18";
        QTest::newRow("unknown") << QByteArray("no es una imagen\n") << "text.xyz"
                                 << "";
        QTest::newRow("cut tif") << tif.left(tif.size() / 50) << "cut.tif"
                                 << "fif=18";
        QTest::newRow("cut png") << png.left(png.size() / 2) << "cut.png"
                                 << "fif=13";
        QTest::newRow("absurd png") << PngConCabecera(100000, 100000) << "huge.png"
                                    << "(100000x100000)";
        // The library cannot read a GIF header alone; the toolkit reads its size instead.
        QTest::newRow("absurd gif")
            << QByteArray("GIF89a\x60\xea\x60\xea\0\0\0\x2c\0\0\0\0\x60\xea\x60\xea\0\x02\x02"
                          "\x44\x01\0\x3b",
                          30)
            << "huge.gif"
            << "(60000x60000)";
    }

    // Damaged and absurd files fail with their reason (an absurd size before decoding) and
    // write nothing.
    void unreadableFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, nombre);
        QFETCH(QString, motivo);
        QVERIFY(EscribirBytes(ruta(nombre), bytes));
        int w = 0, h = 0, bits = 0;
        BufferRGB b;
        QVERIFY(!FI_CargarRGB(ruta(nombre), w, h, bits, b));
        QVERIFY2(!FI_UltimoError().isEmpty() && FI_UltimoError().contains(motivo),
                 qPrintable(FI_UltimoError()));
        QVERIFY(!FI_ObtenerDimensiones(ruta(nombre), w, h));
        QVERIFY(!FI_ConvertirATIFFRGB(ruta(nombre), ruta("out.tif")));
        QVERIFY(!QFile::exists(ruta("out.tif")));
        QVERIFY(!FI_RotarGuardarTIFF(ruta("no existe/carta.tif"), ruta("out.tif"), true));
        QCOMPARE(FI_UltimoError(), "El fichero no existe: " + ruta("no existe/carta.tif"));
    }

    void pngProfile() {
        const QByteArray perfil = PerfilSRGB();
        QVERIFY(!perfil.isEmpty());
        const auto leer = [this](const QByteArray& png) {
            return EscribirBytes(ruta("p.png"), png) ? LeerPerfilPng(ruta("p.png"))
                                                     : QByteArray("<not written>");
        };
        const QByteArray png = PngConCabecera(4, 4, perfil);
        // Cut anywhere before the end of the chunk's CRC: nothing; after it: the profile.
        const qsizetype finTrozo = png.indexOf("IDAT") - 4;
        for (qsizetype corte = 0; corte <= png.size(); corte += 97)
            QCOMPARE(leer(png.left(corte)), corte < finTrozo ? QByteArray() : perfil);
        QCOMPARE(leer(png), perfil);
        QByteArray danado = png;
        danado[finTrozo - 1] ^= 0x40; // the chunk's CRC, its data intact
        QCOMPARE(leer(danado), QByteArray());
        danado = png;
        danado[8] = char(0x80); // a chunk length with the top bit set
        QCOMPARE(leer(danado), QByteArray());
        // After the image data the profile is not looked at.
        QByteArray movido = PngConCabecera(4, 4);
        movido.insert(movido.indexOf("IEND") - 4,
                      png.mid(png.indexOf("iCCP") - 4, finTrozo - png.indexOf("iCCP") + 4));
        QCOMPARE(leer(movido), QByteArray());
        // 65 MB of zeros compress to about 64 KB: over the cap; 8 MB are not.
        QCOMPARE(leer(PngConCabecera(4, 4, QByteArray(65 << 20, '\0'))), QByteArray());
        QCOMPARE(leer(PngConCabecera(4, 4, QByteArray(8 << 20, 'g'))).size(), 8 << 20);
    }

    // The histogram against its definition: the mean of the decoded samples, binned from
    // doubles.
    void layoutsGiveTheDefinedBins_data() {
        QTest::addColumn<int>("fif");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("conversion"); // 0 none, else the library's conversion below
        QTest::newRow("8-bit TIFF") << int(FIF_TIFF) << 8 << 0;
        QTest::newRow("16-bit PNG") << int(FIF_PNG) << 16 << 0;
        QTest::newRow("JPEG") << int(FIF_JPEG) << 8 << 0;
        QTest::newRow("8-bit grey") << int(FIF_TIFF) << 8 << 1;
        QTest::newRow("4-bit palette") << int(FIF_TIFF) << 8 << 2;
        QTest::newRow("32-bit RGBA") << int(FIF_TIFF) << 8 << 3;
        QTest::newRow("16-bit grey") << int(FIF_TIFF) << 8 << 4;
        QTest::newRow("unreadable") << int(FIF_PNG) << 8 << -1;
    }

    void layoutsGiveTheDefinedBins() {
        QFETCH(int, fif);
        QFETCH(int, bits);
        QFETCH(int, conversion);
        QTemporaryDir dir;
        const QString fichero = dir.filePath("imagen");
        QVERIFY(
            EscribirImagenRGB(fichero, FREE_IMAGE_FORMAT(fif), 97, 61, bits, [bits](int x, int y) {
                const auto rgb = Ruido(x, y);
                return bits == 16 ? rgb : std::array{rgb[0] % 256, rgb[1] % 256, rgb[2] % 256};
            }));
        if (conversion < 0) { // a header promising an image that is not there
            QVERIFY(EscribirBytes(fichero, PngConCabecera(50, 50)));
            Histograma h;
            h.cuentas[3] = h.maximo = 5;
            QVERIFY(!CalcularHistograma(fichero, h));
            QVERIFY(h.maximo == 0 &&
                    std::all_of(h.cuentas.begin(), h.cuentas.end(), [](auto c) { return c == 0; }));
            return;
        }
        if (conversion > 0) {
            FIBITMAP* rgb = FreeImage_Load(FIF_TIFF, QFile::encodeName(fichero).constData(), 0);
            FIBITMAP* otro = conversion == 1   ? FreeImage_ConvertToGreyscale(rgb)
                             : conversion == 2 ? FreeImage_ConvertTo4Bits(rgb)
                             : conversion == 3 ? FreeImage_ConvertTo32Bits(rgb)
                                               : FreeImage_ConvertToUINT16(rgb);
            FreeImage_Unload(rgb);
            QVERIFY(FreeImage_Save(FIF_TIFF, otro, QFile::encodeName(fichero).constData(), 0));
            FreeImage_Unload(otro);
        }
        Histograma esperado;
        BufferRGB buffer;
        int w = 0, h = 0, b = 0;
        QVERIFY(FI_CargarRGB(fichero, w, h, b, buffer));
        for (qsizetype i = 0; i < buffer.pixeles(); ++i) {
            const double v[3] = {buffer.valor(i, 0), buffer.valor(i, 1), buffer.valor(i, 2)};
            ++esperado.cuentas[std::size_t(BinDefinido(v[0], v[1], v[2]))];
            for (int c = 0; c < 3; ++c)
                ++esperado.canales[std::size_t(c)][std::size_t(int(v[c] * 255.0 + 0.5))];
        }
        Histograma histograma;
        QVERIFY(CalcularHistograma(fichero, histograma));
        QVERIFY(histograma.cuentas == esperado.cuentas);
        QVERIFY(histograma.canales == esperado.canales);
        QCOMPARE(histograma.maximo,
                 *std::max_element(esperado.cuentas.begin(), esperado.cuentas.end()));
    }

    // The ICC description reader on hand-made profiles.
    void handMadeProfiles_data() {
        QTest::addColumn<QByteArray>("perfil");
        QTest::addColumn<QString>("descripcion");
        const auto desc = [](const QByteArray& d, qint64 cuenta = -1) {
            return PerfilICC({{"desc", d}}, cuenta);
        };
        const QByteArray bueno = desc(DatosDesc("texto"));
        // Version 2: the text up to its zero, UTF-8 where valid (as ArgyllCMS writes it), else
        // Windows-1252; a count short of the zero takes its bytes; blanks trimmed.
        QTest::newRow("utf-8") << desc(DatosDesc("Escáner A", -1, "basura\x01")) << "Escáner A";
        QTest::newRow("cp1252") << desc(DatosDesc("Caf\xe9 \x80")) << "Café €";
        QTest::newRow("short count") << desc(DatosDesc("abcdef", 3)) << "abc";
        QTest::newRow("blanks") << desc(DatosDesc("   con blancos  ")) << "con blancos";
        // Version 4: the first record, whatever its language; zero units dropped; an odd
        // length ignores the last byte.
        QTest::newRow("mluc first")
            << desc(DatosMluc({{"es", "ES", "Texto español"}, {"en", "US", "English"}}))
            << "Texto español";
        const QString cjk = QString::fromUtf8("日本語のプロファイル 😀");
        QTest::newRow("mluc wide") << desc(DatosMluc({{"ja", "JP", cjk}})) << cjk;
        QTest::newRow("mluc zeros")
            << desc(DatosMluc({{"en", "US", QString::fromLatin1("  a\0b  ", 7)}})) << "ab";
        const QByteArray mluc = DatosMluc({{"en", "US", "abc"}});
        QTest::newRow("mluc odd") << desc(ConU32(mluc, 20, 5)) << "ab";
        QTest::newRow("mluc past end") << desc(ConU32(mluc, 24, 4000)) << "";
        QTest::newRow("mluc record 11") << desc(DatosMluc({{"en", "US", "abc"}}, 11)) << "";
        QTest::newRow("mluc none") << desc(DatosMluc({}) + QByteArray(16, 'x')) << "";
        // The header and the table.
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("no table") << bueno.left(131) << "";
        QTest::newRow("no tags") << desc(DatosDesc("texto"), 0) << "";
        QTest::newRow("cut data") << bueno.left(bueno.size() - 8) << "";
        QTest::newRow("bad count") << ConU32(bueno, 128, 0x80000001u) << "";
        QTest::newRow("data past end")
            << PerfilICC({{"desc", DatosDesc("texto"), 132 + 12, 5000}}) << "";
        QTest::newRow("count past table") << desc(DatosDesc("sí"), 0x7FFFFFFF) << "sí";
        // The first tag that yields text wins; other signatures are not read; an invalid
        // count skips the tag, an invalid offset ends the read.
        QTest::newRow("order") << PerfilICC({{"cprt", DatosDesc("copyright")},
                                             {"mluc", DatosMluc({{"en", "US", "del mluc"}})},
                                             {"desc", DatosDesc("la descripción")}})
                               << "del mluc";
        QTest::newRow("bad desc count")
            << PerfilICC({{"desc", ConU32(DatosDesc("nunca"), 8, 0x90000000u)},
                          {"desc", DatosDesc("segunda")}})
            << "segunda";
        QTest::newRow("blank desc")
            << PerfilICC({{"desc", DatosDesc("   ")}, {"desc", DatosDesc("tercera")}}) << "tercera";
        QTest::newRow("bad offset") << PerfilICC({{"cprt", DatosDesc("x"), 0x80000000LL, 4},
                                                  {"desc", DatosDesc("no se llega")}})
                                    << "";
    }

    void handMadeProfiles() {
        QFETCH(QByteArray, perfil);
        QFETCH(QString, descripcion);
        QCOMPARE(DescripcionPerfilICC(perfil), descripcion);
    }

    void craftedTableDoesNotHang() {
        // Many tags, each with its own mluc header, all sending the reader over one large
        // string of zero units: read naively that is hours of work.
        const int tags = 100000;
        const qint64 cadena = 4 * 1024 * 1024;
        QList<EtiquetaICC> etiquetas;
        const qint64 inicioDatos = 132 + 12LL * tags;
        const qint64 inicioCadena = inicioDatos + 28LL * tags;
        for (int i = 0; i < tags; ++i) {
            QByteArray d = DatosMluc({{"en", "US", ""}});
            PonerU32BE(d, 20, quint32(cadena));
            PonerU32BE(d, 24, quint32(inicioCadena - inicioDatos - 28LL * i));
            etiquetas.append({"desc", d});
        }
        const QByteArray perfil = PerfilICC(etiquetas) + QByteArray(cadena, '\0');
        QElapsedTimer reloj;
        reloj.start();
        QCOMPARE(DescripcionPerfilICC(perfil), QString());
        QVERIFY2(reloj.elapsed() < 5000, qPrintable(QString::number(reloj.elapsed())));
    }

    void realProfilesAgreeWithLcms2() {
        const QDir ref("/usr/share/color/argyll/ref");
        const QStringList ficheros = ref.entryList({"*.icm", "*.icc"}, QDir::Files);
        QVERIFY(!ficheros.isEmpty());
        for (const QString& f : ficheros) {
            const QByteArray bytes = LeerBytes(ref.filePath(f));
            QVERIFY2(!DescripcionPerfilICC(bytes).isEmpty(), qPrintable(f));
            QCOMPARE(DescripcionPerfilICC(bytes), DescripcionLcms(bytes));
        }
    }
};

QTEST_GUILESS_MAIN(TestImageFiles)
#include "tst_imagefiles.moc"

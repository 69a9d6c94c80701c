#include "image/pngiccp.h"

#include "imagefixtures.h"

#include <QTemporaryDir>
#include <QTest>

class TestPngIccp : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QByteArray leer(const QByteArray& png) {
        const QString r = dir_.filePath("p.png");
        if (!EscribirBytes(r, png))
            return "<not written>";
        return LeerPerfilPng(r);
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void profileComesBackWhole() {
        const QByteArray perfil = PerfilSRGB().isEmpty() ? QByteArray(3000, 'p') : PerfilSRGB();
        QCOMPARE(leer(PngConCabecera(10, 10, perfil)), perfil);
        QCOMPARE(leer(PngConCabecera(10, 10)), QByteArray());
    }

    void damagedFilesGiveNoProfile() {
        const QByteArray perfil(2000, 'q');
        const QByteArray png = PngConCabecera(4, 4, perfil);
        const qsizetype iccp = png.indexOf("iCCP");
        QVERIFY(iccp > 0);
        QByteArray crc = png;
        crc[iccp + 20] = char(crc[iccp + 20] ^ 0x40);
        QCOMPARE(leer(crc), QByteArray());
        // Cut anywhere before the end of the chunk's CRC: nothing; after it: the profile.
        const qsizetype finTrozo = png.indexOf("IDAT") - 4;
        for (qsizetype corte = 0; corte < png.size(); corte += 7)
            QCOMPARE(leer(png.left(corte)), corte < finTrozo ? QByteArray() : perfil);
        QCOMPARE(leer("no es un PNG"), QByteArray());
        QCOMPARE(LeerPerfilPng(dir_.filePath("missing.png")), QByteArray());
        // A chunk length with the top bit set ends the walk.
        QByteArray largo = png;
        largo[8] = char(0x80);
        QCOMPARE(leer(largo), QByteArray());
    }

    void profileAfterTheImageDataIsNotLookedAt() {
        const QByteArray conPerfil = PngConCabecera(4, 4, QByteArray(500, 'r'));
        const QByteArray sinPerfil = PngConCabecera(4, 4);
        const qsizetype iccp = conPerfil.indexOf("iCCP") - 4;
        const qsizetype idat = conPerfil.indexOf("IDAT") - 4;
        // Move the iCCP chunk behind IDAT.
        const QByteArray trozo = conPerfil.mid(iccp, idat - iccp);
        QByteArray movido = sinPerfil;
        movido.insert(sinPerfil.indexOf("IEND") - 4, trozo);
        QCOMPARE(leer(movido), QByteArray());
    }

    void inflatedSizeIsCapped() {
        // 65 MB of zeros compress to about 64 KB.
        QCOMPARE(leer(PngConCabecera(4, 4, QByteArray(65 * 1024 * 1024, '\0'))), QByteArray());
        const QByteArray grande(8 * 1024 * 1024, 'g');
        QCOMPARE(leer(PngConCabecera(4, 4, grande)), grande);
    }
};

QTEST_GUILESS_MAIN(TestPngIccp)
#include "tst_pngiccp.moc"

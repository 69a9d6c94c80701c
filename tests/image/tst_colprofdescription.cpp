#include "image/iccdescription.h"

#include "imagefixtures.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <lcms2.h>

#include <cmath>

namespace {

double Lineal(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// A TI3 of 27 patches of an ideal sRGB input device (device values 0..100, XYZ 0..100).
QByteArray Ti3SRGB() {
    const double m[3][3] = {
        {0.4124, 0.3576, 0.1805}, {0.2126, 0.7152, 0.0722}, {0.0193, 0.1192, 0.9505}};
    QByteArray filas;
    int id = 0;
    for (const double r : {0.0, 0.5, 1.0})
        for (const double g : {0.0, 0.5, 1.0})
            for (const double b : {0.0, 0.5, 1.0}) {
                const double l[3] = {Lineal(r), Lineal(g), Lineal(b)};
                QByteArray fila = QByteArray::number(++id);
                for (const double v : {r, g, b})
                    fila += ' ' + QByteArray::number(v * 100, 'f', 4);
                for (const auto& fm : m)
                    fila += ' ' + QByteArray::number(
                                      100 * (fm[0] * l[0] + fm[1] * l[1] + fm[2] * l[2]), 'f', 4);
                filas += fila + '\n';
            }
    return "CTI3\n\n"
           "DESCRIPTOR \"Argyll Calibration Target chart information 3\"\n"
           "ORIGINATOR \"Argyll target\"\n"
           "CREATED \"Mon Jan  1 00:00:00 2024\"\n"
           "DEVICE_CLASS \"INPUT\"\n"
           "COLOR_REP \"XYZ_RGB\"\n\n"
           "NUMBER_OF_FIELDS 7\nBEGIN_DATA_FORMAT\n"
           "SAMPLE_ID RGB_R RGB_G RGB_B XYZ_X XYZ_Y XYZ_Z\nEND_DATA_FORMAT\n\n"
           "NUMBER_OF_SETS 27\nBEGIN_DATA\n" +
           filas + "END_DATA\n";
}

QString DescripcionLcms(const QByteArray& bytes) {
    cmsHPROFILE h = cmsOpenProfileFromMem(bytes.constData(), cmsUInt32Number(bytes.size()));
    if (!h)
        return QStringLiteral("<lcms2 could not open>");
    char texto[1024] = {};
    cmsGetProfileInfoASCII(h, cmsInfoDescription, "en", "US", texto, sizeof texto);
    cmsCloseProfile(h);
    return QString::fromLatin1(texto);
}

} // namespace

// Version 2 profiles made by colprof, the tool the application runs.
class TestColprofDescription : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QByteArray perfil(const QString& descripcion) {
        const QString colprof = QStandardPaths::findExecutable("colprof");
        if (colprof.isEmpty())
            return QByteArray();
        QProcess proceso;
        proceso.setWorkingDirectory(dir_.path());
        proceso.start(colprof, {"-ag", "-qm", "-D", descripcion, "-O", "perfil.icc", "carta"});
        if (!proceso.waitForFinished(60000) || proceso.exitCode() != 0)
            return QByteArray();
        return LeerBytes(dir_.filePath("perfil.icc"));
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        if (QStandardPaths::findExecutable("colprof").isEmpty())
            QSKIP("colprof is not installed");
        QVERIFY(EscribirBytes(dir_.filePath("carta.ti3"), Ti3SRGB()));
    }

    void asciiDescriptionAsLcms2ReadsIt() {
        const QByteArray bytes = perfil("Nerva colprof v2 test");
        QVERIFY(!bytes.isEmpty());
        QCOMPARE(bytes.mid(36, 4), QByteArray("acsp"));
        QCOMPARE(quint8(bytes[8]), quint8(2)); // version 2
        QCOMPARE(DescripcionPerfilICC(bytes), QString("Nerva colprof v2 test"));
        QCOMPARE(DescripcionPerfilICC(bytes), DescripcionLcms(bytes));
    }

    void nonAsciiDescriptionComesBackWhole() {
        // colprof keeps the UTF-8 bytes in the 7-bit text.
        const QString texto = QString::fromUtf8("Escáner Ñandú — 2ª prueba");
        const QByteArray bytes = perfil(texto);
        QVERIFY(!bytes.isEmpty());
        QCOMPARE(DescripcionPerfilICC(bytes), texto);
    }
};

QTEST_GUILESS_MAIN(TestColprofDescription)
#include "tst_colprofdescription.moc"

#include "shell/inifile.h"
#include "shell/mainsettings.h"

#include <QtTest>

namespace {

void Escribir(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
}

// Every field as text, so two settings compare in one step.
QStringList Campos(const AjustesPrincipales& a) {
    QStringList campos{a.camera,     a.model,          a.description, a.copyright, a.gamma,
                       a.whitePoint, a.darkAreas,      a.chartFile,   a.lastTi3,   a.lastDiag,
                       a.lastCheck,  a.genericRefFile, a.lastProfile, a.logSplit};
    for (int n : {a.type, a.algorithm, a.intent, a.quality, int(a.perspective),
                  int(a.saveScaninDiag), int(a.saveTi3WithProfile)})
        campos << QString::number(n);
    return campos;
}

AjustesPrincipales Actuales() {
    AjustesPrincipales a;
    a.camera = "Dispositivo";
    a.model = "Modelo";
    a.description = "Nerva Chromaflux";
    a.gamma = "1.4";
    a.whitePoint = "0.9";
    a.darkAreas = "2.0";
    a.type = 11;
    a.algorithm = 2;
    a.intent = 1;
    a.quality = 3;
    a.perspective = a.saveScaninDiag = a.saveTi3WithProfile = true;
    a.lastProfile = "/old/profile.icc";
    a.logSplit = "AAAA/w==";
    return a;
}

} // namespace

class TestMainSettings : public QObject {
    Q_OBJECT

private slots:
    // A missing key keeps the control's value, except the adjustments, files and switches;
    // what is written reads back, other sections kept.
    void readingAndRoundTrip() {
        QTemporaryDir dir;
        AjustesPrincipales vacio = Actuales();
        vacio.gamma = "2.2";
        vacio.whitePoint = vacio.darkAreas = "1.0";
        vacio.type = -1;
        vacio.lastProfile = vacio.logSplit = "";
        vacio.perspective = vacio.saveScaninDiag = vacio.saveTi3WithProfile = false;
        QCOMPARE(Campos(LeerAjustesPrincipales(dir.filePath("none.ini"), Actuales())),
                 Campos(vacio));

        const QString ini = dir.filePath("w.ini");
        Escribir(ini, "; kept\n[ui]\nlanguage=fr\n");
        AjustesPrincipales v = Actuales();
        v.copyright = "(c) \"me\"";
        v.chartFile = "it8.cht";
        v.genericRefFile = "it8.cie";
        v.lastTi3 = "/x/y.ti3";
        v.lastDiag = "/x/diag.tif";
        v.lastCheck = "dE medio 0.80";
        EscribirAjustesPrincipales(ini, v);
        v.type = -1; // written, but read only from files without a chart file
        QCOMPARE(Campos(LeerAjustesPrincipales(ini, AjustesPrincipales())), Campos(v));
        QCOMPARE(LeerIni(ini, "ui", "language", "es"), QString("fr"));
        QFile file(ini);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll().startsWith("; kept\n"));
    }
};

QTEST_GUILESS_MAIN(TestMainSettings)
#include "tst_mainsettings.moc"

#include "shell/inifile.h"
#include "shell/mainsettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList kGamma = {"0.5", "0.8", "0.9", "1.0", "1.2", "1.4",
                            "1.6", "2.0", "2.2", "2.4", "2.8"};

void Escribir(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray Leer(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

AjustesPrincipales Actuales() {
    AjustesPrincipales a;
    a.camera = "Dispositivo";
    a.model = "Modelo";
    a.description = "Nerva Chromaflux";
    a.copyright = "";
    a.gamma = "1.4";
    a.whitePoint = "0.9";
    a.darkAreas = "2.0";
    a.type = 11;
    a.algorithm = 2;
    a.intent = 0;
    a.quality = 2;
    a.perspective = true;
    a.saveScaninDiag = true;
    a.saveTi3WithProfile = true;
    a.lastProfile = "/old/profile.icc";
    return a;
}

} // namespace

class TestMainSettings : public QObject {
    Q_OBJECT

private slots:
    void listValueMatchesDecimalCommaAndFallsBack() {
        QCOMPARE(IndiceValorLista(kGamma, "1,4", "2.2"), kGamma.indexOf("1.4"));
        QCOMPARE(IndiceValorLista(kGamma, "  2.4 ", "2.2"), kGamma.indexOf("2.4"));
        QCOMPARE(IndiceValorLista(kGamma, "1.7", "2.2"), kGamma.indexOf("2.2"));
        QCOMPARE(IndiceValorLista(kGamma, "", "2.2"), kGamma.indexOf("2.2"));
        QCOMPARE(IndiceValorLista(kGamma, "   ", "0.8"), kGamma.indexOf("0.8"));
        // Neither the value nor the fallback listed: the first item.
        QCOMPARE(IndiceValorLista(kGamma, "9", "7"), 0);
        QCOMPARE(IndiceValorLista({}, "1.4", "2.2"), -1);
        // Items written with a comma still match.
        QCOMPARE(IndiceValorLista({"1,0", "1,5"}, "1.5", "1.0"), 1);
    }

    void indexIsClampedToTheList() {
        QCOMPARE(LimitarIndice(99, 8), 7);
        QCOMPARE(LimitarIndice(-5, 8), 0);
        QCOMPARE(LimitarIndice(3, 8), 3);
        QCOMPARE(LimitarIndice(0, 0), -1);
        QCOMPARE(LimitarIndice(-5, 0), -1);
    }

    void missingFileKeepsControlsAndGivesDefaults() {
        QTemporaryDir dir;
        const AjustesPrincipales cur = Actuales();
        const AjustesPrincipales a = LeerAjustesPrincipales(dir.filePath("none.ini"), cur);
        QCOMPARE(a.camera, cur.camera);
        QCOMPARE(a.model, cur.model);
        QCOMPARE(a.description, cur.description);
        QCOMPARE(a.gamma, QString("2.2"));
        QCOMPARE(a.whitePoint, QString("1.0"));
        QCOMPARE(a.darkAreas, QString("1.0"));
        QCOMPARE(a.type, -1);
        QVERIFY(a.chartFile.isEmpty());
        QVERIFY(a.genericRefFile.isEmpty());
        QCOMPARE(a.algorithm, cur.algorithm);
        QCOMPARE(a.intent, cur.intent);
        QCOMPARE(a.quality, cur.quality);
        QVERIFY(!a.perspective);
        QVERIFY(!a.saveScaninDiag);
        QVERIFY(!a.saveTi3WithProfile);
        QVERIFY(a.lastProfile.isEmpty());
        QVERIFY(!QFile::exists(dir.filePath("none.ini")));
    }

    void storedValuesAreRead() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("s.ini");
        Escribir(ini, "[profile]\ncamera=Nikon D700\nalgorithm=99\nintent=-5\nquality=1x\n"
                      "perspective=1\ngamma=1,4\nsave_scanin_diag=1\nsave_ti3_with_profile=yes\n"
                      "chart_file=ColorChecker.cht\ntype=3\n[results]\nlast_ti3=/p/a.ti3\n");
        const AjustesPrincipales a = LeerAjustesPrincipales(ini, Actuales());
        QCOMPARE(a.camera, QString("Nikon D700"));
        QCOMPARE(a.model, QString("Modelo"));
        QCOMPARE(a.algorithm, 99); // clamped by the window against its list
        QCOMPARE(a.intent, -5);
        QCOMPARE(a.quality, 1);
        QVERIFY(a.perspective);
        QCOMPARE(a.gamma, QString("1,4"));
        QVERIFY(a.saveScaninDiag);
        QVERIFY(!a.saveTi3WithProfile); // only "1" switches on
        QCOMPARE(a.chartFile, QString("ColorChecker.cht"));
        QCOMPARE(a.type, -1); // type is only read for older files
        QCOMPARE(a.lastTi3, QString("/p/a.ti3"));
    }

    void typeIsReadWhenChartFileIsMissing() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("old.ini");
        Escribir(ini, "[profile]\ntype=5\nperspective=0\n");
        const AjustesPrincipales a = LeerAjustesPrincipales(ini, Actuales());
        QVERIFY(a.chartFile.isEmpty());
        QCOMPARE(a.type, 5);
        QVERIFY(!a.perspective);
    }

    void writtenInTheFixedOrderAndReadBack() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("w.ini");
        AjustesPrincipales v = Actuales();
        v.chartFile = "it8.cht";
        v.genericRefFile = "it8.cie";
        v.lastTi3 = "/x/y.ti3";
        v.lastDiag = "/x/diag.tif";
        v.lastCheck = "dE medio 0.80";
        EscribirAjustesPrincipales(ini, v);

        const QString text = QString::fromUtf8(Leer(ini));
        const QStringList keys = {"[profile]",
                                  "camera=",
                                  "model=",
                                  "description=",
                                  "copyright=",
                                  "gamma=",
                                  "white_point=",
                                  "dark_areas=",
                                  "type=",
                                  "chart_file=",
                                  "generic_ref_file=",
                                  "algorithm=",
                                  "intent=",
                                  "quality=",
                                  "perspective=",
                                  "save_scanin_diag=",
                                  "save_ti3_with_profile=",
                                  "[results]",
                                  "last_profile=",
                                  "last_ti3=",
                                  "last_diag=",
                                  "last_check="};
        qsizetype at = -1;
        for (const QString& key : keys) {
            const qsizetype next = text.indexOf(key, at + 1);
            QVERIFY2(next > at, qPrintable("out of order or missing: " + key));
            at = next;
        }
        QVERIFY(text.contains("perspective=1"));
        QVERIFY(text.contains("type=11"));

        AjustesPrincipales blank;
        const AjustesPrincipales r = LeerAjustesPrincipales(ini, blank);
        QCOMPARE(r.camera, v.camera);
        QCOMPARE(r.description, v.description);
        QCOMPARE(r.gamma, v.gamma);
        QCOMPARE(r.whitePoint, v.whitePoint);
        QCOMPARE(r.darkAreas, v.darkAreas);
        QCOMPARE(r.chartFile, v.chartFile);
        QCOMPARE(r.genericRefFile, v.genericRefFile);
        QCOMPARE(r.algorithm, v.algorithm);
        QCOMPARE(r.intent, v.intent);
        QCOMPARE(r.quality, v.quality);
        QCOMPARE(r.perspective, v.perspective);
        QCOMPARE(r.saveScaninDiag, v.saveScaninDiag);
        QCOMPARE(r.saveTi3WithProfile, v.saveTi3WithProfile);
        QCOMPARE(r.lastProfile, v.lastProfile);
        QCOMPARE(r.lastTi3, v.lastTi3);
        QCOMPARE(r.lastDiag, v.lastDiag);
        QCOMPARE(r.lastCheck, v.lastCheck);
    }

    void writingKeepsOtherSectionsAndTheLanguage() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("k.ini");
        Escribir(ini, "; kept\n[ui]\nlanguage=fr\n");
        EscribirAjustesPrincipales(ini, Actuales());
        QCOMPARE(LeerIni(ini, "ui", "language", "es"), QString("fr"));
        QVERIFY(Leer(ini).startsWith("; kept"));
    }

    void legacyFileIsCopiedOnlyWhenTheNewOneIsMissing() {
        QTemporaryDir dir;
        const QString neu = dir.filePath("nerva_chromaflux.ini");
        const QString old = dir.filePath("norvel_kelda.ini");

        QCOMPARE(UbicarFicheroAjustes(neu, old), neu);
        QVERIFY(!QFile::exists(neu)); // nothing to copy, nothing made

        Escribir(old, "[profile]\ncamera=Legacy\n");
        QCOMPARE(UbicarFicheroAjustes(neu, old), neu);
        QCOMPARE(Leer(neu), Leer(old));
        QVERIFY(QFile::exists(old));

        Escribir(old, "[profile]\ncamera=Changed\n");
        UbicarFicheroAjustes(neu, old);
        QCOMPARE(LeerIni(neu, "profile", "camera", ""), QString("Legacy"));
    }
};

QTEST_GUILESS_MAIN(TestMainSettings)
#include "tst_mainsettings.moc"

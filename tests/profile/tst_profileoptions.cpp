#include "profile/profileoptions.h"

#include <QtTest>

class TestProfileOptions : public QObject {
    Q_OBJECT

private slots:
    void lists() {
        const QList<ListaOpciones>& lists = ListasOpciones();
        QStringList controls;
        for (const ListaOpciones& l : lists) {
            controls << l.control;
            QVERIFY(l.defaultIndex >= 0 && l.defaultIndex < l.items.size());
        }
        QCOMPARE(controls, QStringList({"cboAlgorithm", "cboQuality", "cboIntent", "txtGamma",
                                        "txtWhitePoint", "txtDarkAreas"}));
        QCOMPARE(lists[0].items.at(lists[0].defaultIndex), QString("Gamma + matriz"));
        QCOMPARE(lists[1].items.at(lists[1].defaultIndex), QString("Alta"));
        QCOMPARE(lists[2].items.at(lists[2].defaultIndex), QString("Perceptual"));
        QCOMPARE(lists[3].items.at(lists[3].defaultIndex), QString("2.2"));
        QCOMPARE(lists[4].items.at(lists[4].defaultIndex), QString("1.0"));
        QCOMPARE(lists[5].items.at(lists[5].defaultIndex), QString("1.0"));
        QCOMPARE(lists[0].items.size(), 8);
        QCOMPARE(lists[3].items.size(), 11);
        QCOMPARE(lists[4].items.size(), 9);
        QCOMPARE(lists[5].items.size(), 5);
    }

    void letters() {
        QString algorithm;
        for (int i = -1; i <= 8; ++i) {
            algorithm += LetraAlgoritmo(i);
        }
        QCOMPARE(algorithm, QString("SlxgsXmGSS"));
        QString quality;
        for (int i = -1; i <= 4; ++i) {
            quality += LetraCalidad(i);
        }
        QCOMPARE(quality, QString("ulmhuu"));
        QCOMPARE(ArgumentoIntento(0), QStringList({"-Z", "p"}));
        QCOMPARE(ArgumentoIntento(1), QStringList({"-Z", "r"}));
        QCOMPARE(ArgumentoIntento(2), QStringList({"-Z", "s"}));
        QCOMPARE(ArgumentoIntento(3), QStringList({"-Z", "a"}));
        QCOMPARE(ArgumentoIntento(-1), QStringList({"-Z", "a"}));
        QCOMPARE(TextoOpcion(ArgumentoIntento(0)), QString("-Z p "));
    }

    void gamma_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("option");
        QTest::newRow("2.2") << "2.2"
                             << "";
        QTest::newRow("2,2 comma") << "2,2"
                                   << "";
        QTest::newRow("near 2.2") << "2.20004"
                                  << "";
        QTest::newRow("1.8") << "1.8"
                             << "-G 1.8 ";
        QTest::newRow("1.0 keeps dot") << "1.0"
                                       << "-G 1. ";
        QTest::newRow("three decimals") << "1.23456"
                                        << "-G 1.235 ";
        QTest::newRow("not a number") << "abc"
                                      << "";
        QTest::newRow("zero") << "0"
                              << "";
        QTest::newRow("negative") << "-1"
                                  << "";
        QTest::newRow("0.5") << "0.5"
                             << "-G 0.5 ";
    }
    void gamma() {
        QFETCH(QString, text);
        QFETCH(QString, option);
        QCOMPARE(TextoOpcion(ArgumentoGamma(LeerGamma(text))), option);
    }

    void limits() {
        ValorLimitado v = LimitarValor("1.2", 1.0, 0.5, 1.5, "Punto blanco");
        QCOMPARE(v.value, 1.2);
        QVERIFY(v.warning.isEmpty());
        v = LimitarValor("0.5", 1.0, 0.5, 1.5, "Punto blanco");
        QCOMPARE(v.value, 0.5);
        QVERIFY(v.warning.isEmpty());
        v = LimitarValor("1.6", 1.0, 0.5, 1.5, "Punto blanco");
        QCOMPARE(v.value, 1.0);
        QCOMPARE(v.warning, QString("Punto blanco debe estar entre 0.5 y 1.5. Se usará 1."));
        v = LimitarValor("", 1.0, 1.0, 3.0, "Sombras");
        QCOMPARE(v.value, 1.0);
        QCOMPARE(v.warning, QString("Sombras debe estar entre 1 y 3. Se usará 1."));
    }

    void adjustments() {
        QCOMPARE(TextoOpcion(ArgumentoPuntoBlanco("1.0", 3).arguments), QString());
        QCOMPARE(TextoOpcion(ArgumentoPuntoBlanco("1.3", 3).arguments), QString("-u 1.30 "));
        QCOMPARE(TextoOpcion(ArgumentoPuntoBlanco("1,3", 2).arguments), QString("-U 1.30 "));
        QCOMPARE(TextoOpcion(ArgumentoPuntoBlanco("0.6", 0).arguments), QString("-u 0.60 "));
        const ArgumentoAjuste outOfRange = ArgumentoPuntoBlanco("2", 2);
        QVERIFY(outOfRange.arguments.isEmpty());
        QVERIFY(outOfRange.warning.startsWith("Punto blanco debe estar entre 0.5 y 1.5"));
        QCOMPARE(TextoOpcion(ArgumentoSombras("1.0").arguments), QString());
        QCOMPARE(TextoOpcion(ArgumentoSombras("2.5").arguments), QString("-V 2.50 "));
        const ArgumentoAjuste empty = ArgumentoSombras("");
        QVERIFY(empty.arguments.isEmpty());
        QCOMPARE(empty.warning, QString("Sombras debe estar entre 1 y 3. Se usará 1."));
    }

    // Both spellings, chosen from the version the usage header names.
    void whitePointSpellingByVersion_data() {
        QTest::addColumn<QString>("usage");
        QTest::addColumn<int>("major");
        QTest::addColumn<QString>("option");
        QTest::newRow("2.3.1") << "Create ICC profile, Version 2.3.1\nAuthor: Graeme W. Gill\n"
                               << 2 << "-U 1.20 ";
        QTest::newRow("3.0.0") << "Create ICC profile, Version 3.0.0\nusage: colprof" << 3
                               << "-u 1.20 ";
        QTest::newRow("1.9") << "Create ICC profile, Version 1.9.2" << 1 << "-U 1.20 ";
        QTest::newRow("none") << "colprof: not found" << 0 << "-u 1.20 ";
    }
    void whitePointSpellingByVersion() {
        QFETCH(QString, usage);
        QFETCH(int, major);
        QFETCH(QString, option);
        QCOMPARE(VersionPrincipalArgyll(usage), major);
        QCOMPARE(TextoOpcion(ArgumentoPuntoBlanco("1.2", VersionPrincipalArgyll(usage)).arguments),
                 option);
    }
};

QTEST_APPLESS_MAIN(TestProfileOptions)
#include "tst_profileoptions.moc"

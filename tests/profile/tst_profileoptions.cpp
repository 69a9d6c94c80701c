#include "profile/profileoptions.h"

#include <QtTest>

// How the typed adjustment texts become colprof options, and their range warnings.
class TestProfileOptions : public QObject {
    Q_OBJECT

private slots:
    void adjustmentOptions_data() {
        QTest::addColumn<char>("kind"); // G gamma, W white point, V dark areas
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("major"); // ArgyllCMS major version, for the white point
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("warning");
        const struct {
            char kind;
            const char* text;
            int major;
            const char *option, *warning;
        } rows[] = {
            {'G', "2.20004", 0, "", ""}, // the default gives no option
            {'G', "1,8", 0, "-G 1.8 ", ""},
            {'G', "1.0", 0, "-G 1. ", ""},
            {'G', "1.23456", 0, "-G 1.235 ", ""},
            {'G', "abc", 0, "", ""},
            {'W', "1.3", 3, "-u 1.30 ", ""},
            {'W', "1,3", 2, "-U 1.30 ", ""},
            {'W', "0.5", 0, "-u 0.50 ", ""},
            {'W', "1.6", 3, "", "Punto blanco debe estar entre 0.5 y 1.5. Se usará 1."},
            {'V', "2.5", 0, "-V 2.50 ", ""},
            {'V', "", 0, "", "Sombras debe estar entre 1 y 3. Se usará 1."},
        };
        for (const auto& r : rows)
            QTest::addRow("%c %s", r.kind, r.text)
                << r.kind << QString::fromUtf8(r.text) << r.major << QString(r.option)
                << QString::fromUtf8(r.warning);
    }
    void adjustmentOptions() {
        QFETCH(char, kind);
        QFETCH(QString, text);
        QFETCH(int, major);
        QFETCH(QString, option);
        QFETCH(QString, warning);
        ArgumentoAjuste a;
        if (kind == 'G')
            a.arguments = ArgumentoGamma(LeerGamma(text));
        else
            a = kind == 'W' ? ArgumentoPuntoBlanco(text, major) : ArgumentoSombras(text);
        QCOMPARE(TextoOpcion(a.arguments), option);
        QCOMPARE(a.warning, warning);
    }

    // The white point's spelling depends on the version the usage header names.
    void versionFromUsage_data() {
        QTest::addColumn<QString>("usage");
        QTest::addColumn<int>("major");
        QTest::newRow("2.3.1") << "Create ICC profile, Version 2.3.1\nAuthor: Graeme W. Gill\n"
                               << 2;
        QTest::newRow("3.0.0") << "Create ICC profile, Version 3.0.0\nusage: colprof" << 3;
        QTest::newRow("none") << "colprof: not found" << 0;
    }
    void versionFromUsage() {
        QFETCH(QString, usage);
        QFETCH(int, major);
        QCOMPARE(VersionPrincipalArgyll(usage), major);
    }
};

QTEST_APPLESS_MAIN(TestProfileOptions)
#include "tst_profileoptions.moc"

#include "verify/reporttext.h"

#include <QTest>

class TestReportText : public QObject {
    Q_OBJECT

private slots:
    void linesSplitAtEveryLineEnd();
    void linesTrimSpacesButKeepTabs();
    void valueAfterSeparator();
    void numberAfterKeyword_data();
    void numberAfterKeyword();
    void collapseBlanks();
    void threeNumbers();
};

void TestReportText::linesSplitAtEveryLineEnd() {
    const QStringList expected{"a", "b", "c", "d"};
    QCOMPARE(LineasInforme("a\r\nb\r\nc\r\nd"), expected);
    QCOMPARE(LineasInforme("a\rb\rc\rd"), expected);
    QCOMPARE(LineasInforme("a\nb\nc\nd"), expected);
    // A lone CR before a CR LF pair gives an empty line, not a merged one.
    QCOMPARE(LineasInforme("a\r\r\nb"), (QStringList{"a", "", "b"}));
}

void TestReportText::linesTrimSpacesButKeepTabs() {
    QCOMPARE(LineasInforme("   [1.0] A01: x  \n\tB"), (QStringList{"[1.0] A01: x", "\tB"}));
    QCOMPARE(RecortarBlancos("\t x \t"), QString("\t x \t"));
    QCOMPARE(RecortarBlancos("  x y  "), QString("x y"));
}

void TestReportText::valueAfterSeparator() {
    QCOMPARE(ValorTrasSeparador("No of test patches = 24", "="), QString("24"));
    QCOMPARE(ValorTrasSeparador("a = b = c ", "="), QString("b = c"));
    QCOMPARE(ValorTrasSeparador("no separator", "="), QString());
    QCOMPARE(ValorTrasSeparador("ends with =", "="), QString());
}

void TestReportText::numberAfterKeyword_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("number");
    const QString complete =
        "Profile check complete, errors: max. = 6.749179, avg. = 4.03, RMS = 4.2";
    QTest::newRow("max") << complete << "max."
                         << "6.749179";
    QTest::newRow("avg") << complete << "avg."
                         << "4.03";
    QTest::newRow("rms") << complete << "RMS"
                         << "4.2";
    QTest::newRow("other case") << "MAX.=1.5"
                                << "max."
                                << "1.5";
    QTest::newRow("colon stops it") << "max.: 2.0"
                                    << "max."
                                    << "";
    QTest::newRow("letter stops it") << "max. x2"
                                     << "max."
                                     << "";
    QTest::newRow("absent") << "avg. = 1"
                            << "max."
                            << "";
    QTest::newRow("at the end") << "RMS"
                                << "RMS"
                                << "";
    QTest::newRow("first occurrence") << "RMS = 1, RMS = 2"
                                      << "RMS"
                                      << "1";
}

void TestReportText::numberAfterKeyword() {
    QFETCH(QString, line);
    QFETCH(QString, keyword);
    QFETCH(QString, number);
    QCOMPARE(NumeroTrasClave(line, keyword), number);
}

void TestReportText::collapseBlanks() {
    QCOMPARE(ColapsarEspacios("a     b  c d"), QString("a b c d"));
    QCOMPARE(ColapsarEspacios("a\t\tb"), QString("a\t\tb"));
    QCOMPARE(ColapsarEspacios(""), QString());
}

void TestReportText::threeNumbers() {
    double a = 0, b = 0, c = 0;
    QVERIFY(LeerTresNumeros("  24.608470   0.839700 4.273732 ", a, b, c));
    QCOMPARE(a, 24.608470);
    QCOMPARE(b, 0.839700);
    QCOMPARE(c, 4.273732);
    QVERIFY(LeerTresNumeros("1 2 3 4", a, b, c));
    QCOMPARE(c, 3.0);
    QVERIFY(LeerTresNumeros("x y z", a, b, c));
    QCOMPARE(a, 0.0);
    QVERIFY(!LeerTresNumeros("1 2", a, b, c));
    QVERIFY(!LeerTresNumeros("   ", a, b, c));
    QVERIFY(!LeerTresNumeros("", a, b, c));
}

QTEST_APPLESS_MAIN(TestReportText)
#include "tst_reporttext.moc"

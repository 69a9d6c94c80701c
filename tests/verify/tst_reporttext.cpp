#include "verify/reporttext.h"

#include <QTest>

// Edge cases of the report readers that the recorded tool outputs do not contain.
class TestReportText : public QObject {
    Q_OBJECT

private slots:
    void linesSplitAtEveryLineEnd() {
        const QStringList expected{"a", "b", "c"};
        QCOMPARE(LineasInforme("a\r\nb\r\nc"), expected);
        QCOMPARE(LineasInforme("a\rb\rc"), expected);
        // A lone CR before a CR LF pair gives an empty line, not a merged one.
        QCOMPARE(LineasInforme("a\r\r\nb"), (QStringList{"a", "", "b"}));
        QCOMPARE(LineasInforme("   [1.0] A01: x  \n\tB"), (QStringList{"[1.0] A01: x", "\tB"}));
    }

    void numberAfterKeyword_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("number");
        QTest::newRow("other case") << "MAX.=1.5"
                                    << "max."
                                    << "1.5";
        QTest::newRow("colon stops it") << "max.: 2.0"
                                        << "max."
                                        << "";
        QTest::newRow("letter stops it") << "max. x2"
                                         << "max."
                                         << "";
        QTest::newRow("at the end") << "RMS"
                                    << "RMS"
                                    << "";
        QTest::newRow("first occurrence") << "RMS = 1, RMS = 2"
                                          << "RMS"
                                          << "1";
    }
    void numberAfterKeyword() {
        QFETCH(QString, line);
        QFETCH(QString, keyword);
        QFETCH(QString, number);
        QCOMPARE(NumeroTrasClave(line, keyword), number);
    }

    void threeNumbers() {
        double a = 0, b = 0, c = 0;
        QVERIFY(LeerTresNumeros("1 2 3 4", a, b, c));
        QCOMPARE(c, 3.0);
        QVERIFY(!LeerTresNumeros("1 2", a, b, c));
        QVERIFY(!LeerTresNumeros("   ", a, b, c));
        QCOMPARE(ValorTrasSeparador("a = b = c ", "="), QString("b = c"));
        QCOMPARE(ValorTrasSeparador("ends with =", "="), QString());
    }
};

QTEST_APPLESS_MAIN(TestReportText)
#include "tst_reporttext.moc"

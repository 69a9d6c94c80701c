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
        QTest::addColumn<QStringList>("lineKeywordNumber");
        QTest::newRow("other case") << QStringList{"MAX.=1.5", "max.", "1.5"};
        QTest::newRow("colon stops it") << QStringList{"max.: 2.0", "max.", ""};
        QTest::newRow("letter stops it") << QStringList{"max. x2", "max.", ""};
        QTest::newRow("at the end") << QStringList{"RMS", "RMS", ""};
        QTest::newRow("first occurrence") << QStringList{"RMS = 1, RMS = 2", "RMS", "1"};
    }
    void numberAfterKeyword() {
        QFETCH(QStringList, lineKeywordNumber);
        QCOMPARE(NumeroTrasClave(lineKeywordNumber[0], lineKeywordNumber[1]), lineKeywordNumber[2]);
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

#include "shell/leadingnumber.h"

#include <QTest>

class TestLeadingNumber : public QObject {
    Q_OBJECT

private slots:
    void readsTheNumberTheTextBeginsWith_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("comma");     // "," counts as the point
        QTest::addColumn<bool>("wholeText"); // nothing but blanks may follow
        QTest::addColumn<bool>("found");
        QTest::addColumn<double>("value");
        const struct {
            const char* text;
            bool comma, wholeText, found;
            double value;
        } rows[] = {
            {" \t 2.5", false, false, true, 2.5}, {"-0.080113", false, false, true, -0.080113},
            {"+3", false, false, true, 3},        {".5", false, false, true, 0.5},
            {"3.", false, false, true, 3},        {"12abc", false, false, true, 12},
            {"1.2.3", false, false, true, 1.2},   {"1,5", false, false, true, 1},
            {" 2,2 ", true, false, true, 2.2},    {"x3", false, false, false, 0},
            {"", false, false, false, 0},         {"-", false, false, false, 0},
            {"-.", false, false, false, 0},       {" 1,25 ", true, true, true, 1.25},
            {"2.", true, true, true, 2},          {"1.3x", true, true, false, 0},
            {"1e3", true, true, false, 0},        {"1..2", true, true, false, 0},
            {"--1", true, true, false, 0},
        };
        for (const auto& r : rows)
            QTest::addRow("%s|%d%d", r.text, r.comma, r.wholeText)
                << QString::fromLatin1(r.text) << r.comma << r.wholeText << r.found << r.value;
    }
    void readsTheNumberTheTextBeginsWith() {
        QFETCH(QString, text);
        QFETCH(bool, comma);
        QFETCH(bool, wholeText);
        QFETCH(bool, found);
        QFETCH(double, value);
        const std::optional<double> n =
            NumeroInicial(text, {.comaDecimal = comma, .soloNumero = wholeText});
        QCOMPARE(n.has_value(), found);
        QCOMPARE(n.value_or(0.0), value);
    }
};

QTEST_GUILESS_MAIN(TestLeadingNumber)
#include "tst_leadingnumber.moc"

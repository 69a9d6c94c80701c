#include "profcheckoracle.h"
#include "verify/profcheckreport.h"

#include <QFile>
#include <QTest>

namespace {

QString ReadData(const QString& name) {
    QFile file(QStringLiteral(NC_VERIFY_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(name));
    return QString::fromUtf8(file.readAll());
}

void ComparePatches(const QList<ErrorParche>& read, const QList<ErrorParche>& expected) {
    QCOMPARE(read.size(), expected.size());
    for (qsizetype i = 0; i < read.size(); ++i) {
        QCOMPARE(read[i].id, expected[i].id);
        QCOMPARE(read[i].de, expected[i].de);
        QVERIFY(qAbs(read[i].dl - expected[i].dl) < 1e-9);
        QVERIFY(qAbs(read[i].dc - expected[i].dc) < 1e-9);
        QVERIFY(qAbs(read[i].dh - expected[i].dh) < 1e-9);
    }
}

} // namespace

class TestProfcheckReport : public QObject {
    Q_OBJECT

private slots:
    void capturedOutput_data();
    void capturedOutput();
    void sortedAndUnsortedHoldTheSamePatches();
    void componentsAddUpToTheTotal();
    void exampleSummary();
    void emptyOutput();
    void lineEndingsReadAlike();
    void countWithoutFinalStatistics();
    void maximumOnly();
    void colonAfterKeyword();
    void equalLargestErrorsKeepTheFirst();
    void nonPositiveErrorsNeverWorst();
    void malformedBracketLines();
    void tripleLengths();
    void roundingGivesZeroHue();
    void keywordCase();
    void detailReplacesEarlierList();
};

void TestProfcheckReport::capturedOutput_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("detail");
    QTest::newRow("-v2 -Ir") << "colorchecker.profcheck-v2-Ir.txt" << true;
    QTest::newRow("-v2 -Ia") << "colorchecker.profcheck-v2-Ia.txt" << true;
    QTest::newRow("-v2 -s -Ir") << "colorchecker.profcheck-v2-s-Ir.txt" << true;
    QTest::newRow("-v -Ir") << "colorchecker.profcheck-v-Ir.txt" << false;
    QTest::newRow("-v -s -Ia") << "colorchecker.profcheck-v-s-Ia.txt" << false;
    QTest::newRow("100 patches") << "spread100.profcheck-v2-Ir.txt" << true;
    QTest::newRow("288 patches") << "spread288.profcheck-v2-Ir.txt" << true;
}

void TestProfcheckReport::capturedOutput() {
    QFETCH(QString, file);
    QFETCH(bool, detail);
    const QString output = ReadData(file);
    const OracleReport oracle = LeerConOraculo(output);
    QVERIFY(!oracle.maximum.isEmpty());
    QCOMPARE(ResumirProfcheck(output), ResumenEsperado(oracle));
    const CifrasProfcheck figures = LeerCifrasProfcheck(output);
    QCOMPARE(figures.parches, oracle.count);
    QCOMPARE(figures.maximo, oracle.maximum);
    QCOMPARE(figures.media, oracle.average);
    QCOMPARE(figures.rms, oracle.rms);
    QCOMPARE(figures.peor, oracle.worstPatch);

    QList<ErrorParche> patches{ErrorParche{"stale", 1, 1, 1, 1}};
    QCOMPARE(LeerDetalleProfcheck(output, patches), detail);
    QCOMPARE(patches.size(), detail ? oracle.count.toInt() : 0);
    ComparePatches(patches, oracle.patches);
}

void TestProfcheckReport::sortedAndUnsortedHoldTheSamePatches() {
    QList<ErrorParche> unsorted, sorted;
    QVERIFY(LeerDetalleProfcheck(ReadData("colorchecker.profcheck-v2-Ir.txt"), unsorted));
    QVERIFY(LeerDetalleProfcheck(ReadData("colorchecker.profcheck-v2-s-Ir.txt"), sorted));
    QCOMPARE(sorted.size(), unsorted.size());
    for (qsizetype i = 1; i < sorted.size(); ++i)
        QVERIFY(sorted[i - 1].de >= sorted[i].de);
    for (const ErrorParche& e : unsorted) {
        const auto it = std::find_if(sorted.begin(), sorted.end(),
                                     [&](const ErrorParche& s) { return s.id == e.id; });
        QVERIFY(it != sorted.end());
        QCOMPARE(it->de, e.de);
        QCOMPARE(it->dh, e.dh);
    }
    QCOMPARE(ResumirProfcheck(ReadData("colorchecker.profcheck-v2-s-Ir.txt")),
             ResumirProfcheck(ReadData("colorchecker.profcheck-v2-Ir.txt")));
}

void TestProfcheckReport::componentsAddUpToTheTotal() {
    QList<ErrorParche> patches;
    QVERIFY(LeerDetalleProfcheck(ReadData("spread288.profcheck-v2-Ir.txt"), patches));
    for (const ErrorParche& e : patches) {
        QVERIFY(e.de >= 0 && e.dl >= 0 && e.dc >= 0 && e.dh >= 0);
        const double sum = e.dl * e.dl + e.dc * e.dc + e.dh * e.dh;
        if (e.dh > 0)
            QVERIFY2(qAbs(sum - e.de * e.de) < 1e-6, qPrintable(e.id));
        else
            QVERIFY(sum >= e.de * e.de - 1e-6);
    }
}

void TestProfcheckReport::exampleSummary() {
    // The colours of two pairs of Sharma, Wu and Dalal's CIEDE2000 test data.
    const QString output = "No of test patches = 24\n"
                           "[3.5] A01: 1 2 3 -> 50 2.6772 -79.7751 should be 50 0 -82.7485\n"
                           "[1.0] B02: 1 2 3 -> 50 2.5 0 should be 73 25 -18\n"
                           "Profile check complete, max. = 3.5, avg. = 1.2, RMS = 1.6\n";
    QCOMPARE(ResumirProfcheck(output),
             QString("Resumen profcheck: 24 parches; Delta E máx. 3.5 (A01); media 1.2; RMS 1.6"));
    QList<ErrorParche> patches;
    QVERIFY(LeerDetalleProfcheck(output, patches));
    QCOMPARE(qRound(patches[0].de2000 * 1e4), 20425);
    QCOMPARE(qRound(patches[1].de2000 * 1e4), 271492);
}

void TestProfcheckReport::emptyOutput() {
    QList<ErrorParche> patches{ErrorParche{"old", 1, 1, 1, 1}};
    QCOMPARE(ResumirProfcheck(""), QString());
    QVERIFY(!LeerDetalleProfcheck("", patches));
    QVERIFY(patches.isEmpty());
}

void TestProfcheckReport::lineEndingsReadAlike() {
    const QString lf = ReadData("colorchecker.profcheck-v2-Ir.txt");
    QString crlf = lf;
    crlf.replace("\n", "\r\n");
    QString cr = lf;
    cr.replace("\n", "\r");
    QList<ErrorParche> a, b, c;
    QVERIFY(LeerDetalleProfcheck(lf, a));
    QVERIFY(LeerDetalleProfcheck(crlf, b));
    QVERIFY(LeerDetalleProfcheck(cr, c));
    ComparePatches(b, a);
    ComparePatches(c, a);
    QCOMPARE(ResumirProfcheck(crlf), ResumirProfcheck(lf));
    QCOMPARE(ResumirProfcheck(cr), ResumirProfcheck(lf));
}

void TestProfcheckReport::countWithoutFinalStatistics() {
    QCOMPARE(ResumirProfcheck("No of test patches = 24\n[3.5] A01: x\n"), QString());
}

void TestProfcheckReport::maximumOnly() {
    QCOMPARE(ResumirProfcheck("No of test patches = 24\nProfile check complete, max. = 2.5"),
             QString("Resumen profcheck: 24 parches; Delta E máx. 2.5"));
    QCOMPARE(ResumirProfcheck("Profile check complete, avg. = 1.25"),
             QString("Resumen profcheck: ; media 1.25"));
}

void TestProfcheckReport::colonAfterKeyword() {
    QCOMPARE(ResumirProfcheck("Profile check complete, max.: 2.0, avg. = 1.0"),
             QString("Resumen profcheck: ; media 1.0"));
    // The last "Profile check complete" line wins, also with empty fields.
    QCOMPARE(ResumirProfcheck("Profile check complete max. = 9\nProfile check complete RMS = 1"),
             QString("Resumen profcheck: ; RMS 1"));
}

void TestProfcheckReport::equalLargestErrorsKeepTheFirst() {
    const QString output = "[2.5] A01: 1 -> 1 1 1 should be 1 1 1\n"
                           "[2.5] B07: 1 -> 1 1 1 should be 1 1 1\n"
                           "[1.5] C03: 1 -> 1 1 1 should be 1 1 1\n"
                           "Profile check complete, max. = 2.5";
    QCOMPARE(ResumirProfcheck(output), QString("Resumen profcheck: Delta E máx. 2.5 (A01)"));
}

void TestProfcheckReport::nonPositiveErrorsNeverWorst() {
    QCOMPARE(ResumirProfcheck("[0] A01: x\n[-3] A02: x\nProfile check complete, max. = 0"),
             QString("Resumen profcheck: Delta E máx. 0"));
    // A larger error without a colon raises the bar but names no patch.
    QCOMPARE(ResumirProfcheck("[1] A01: x\n[5] B02 x\n[3] C03: x\nProfile check complete max. 5"),
             QString("Resumen profcheck: Delta E máx. 5 (A01)"));
}

void TestProfcheckReport::malformedBracketLines() {
    const QString good = "[1.5] A01: 1 2 3 -> 50 10 10 should be 50 10 10";
    const QString output = "[]\n[x\n[2.0] A02 1 2 3 -> 50 1 1 should be 50 1 1\n"
                           "[3.0] A03: 1 2 3 should be 50 1 1 -> 50 1 1\n"
                           "[4.0] A04 -> 50 1 1 should be 50 1 1 :\n"
                           " [5.0] A05: 1 -> 50 1 1 SHOULD BE 50 1 1\n"
                           "[] A06: 1 -> 50 1 1 should be 50 1 1\n" +
                           good;
    QList<ErrorParche> patches;
    QVERIFY(LeerDetalleProfcheck(output, patches));
    QCOMPARE(patches.size(), 2);
    QCOMPARE(patches[0].id, QString("A05"));
    QCOMPARE(patches[1].id, QString("A01"));
    QCOMPARE(patches[1].de, 1.5);
    QVERIFY(!LeerDetalleProfcheck("[]\n[x\n", patches));
    QVERIFY(patches.isEmpty());
}

void TestProfcheckReport::tripleLengths() {
    QList<ErrorParche> patches;
    QVERIFY(!LeerDetalleProfcheck("[1] A01: 1 -> 50 1 1 should be 50 1", patches));
    QVERIFY(!LeerDetalleProfcheck("[1] A01: 1 -> 50 1 should be 50 1 1", patches));
    QVERIFY(LeerDetalleProfcheck("[5] A01: 1 -> 53 3 4 should be 50 0 0 99 99", patches));
    QCOMPARE(patches.size(), 1);
    QCOMPARE(patches[0].dl, 3.0);
    QCOMPARE(patches[0].dc, 5.0);
    QCOMPARE(patches[0].dh, 0.0);
}

void TestProfcheckReport::roundingGivesZeroHue() {
    QList<ErrorParche> patches;
    QVERIFY(LeerDetalleProfcheck("[-4.9] A01: 1 -> 43 6 8 should be 40 0 0", patches));
    QCOMPARE(patches[0].de, 4.9);
    QCOMPARE(patches[0].dl, 3.0);
    QCOMPARE(patches[0].dc, 10.0);
    QCOMPARE(patches[0].dh, 0.0);
    QVERIFY(LeerDetalleProfcheck("[5] A01: 1 -> 40 0 3 should be 40 3 0", patches));
    QCOMPARE(patches[0].dh, 5.0);
}

void TestProfcheckReport::keywordCase() {
    QCOMPARE(
        ResumirProfcheck("NO OF TEST PATCHES = 3\nprofile CHECK complete MAX. = 1 AVG.=2 rms 3"),
        QString("Resumen profcheck: 3 parches; Delta E máx. 1; media 2; RMS 3"));
    QList<ErrorParche> patches;
    QVERIFY(!LeerDetalleProfcheck("[1] A01: 1 - > 1 1 1 should be 1 1 1", patches));
    QVERIFY(!LeerDetalleProfcheck("(1) A01: 1 -> 1 1 1 should be 1 1 1", patches));
}

void TestProfcheckReport::detailReplacesEarlierList() {
    QList<ErrorParche> patches;
    QVERIFY(LeerDetalleProfcheck(ReadData("spread100.profcheck-v2-Ir.txt"), patches));
    QCOMPARE(patches.size(), 100);
    QVERIFY(!LeerDetalleProfcheck(ReadData("colorchecker.profcheck-v-Ir.txt"), patches));
    QCOMPARE(patches.size(), 0);
}

QTEST_APPLESS_MAIN(TestProfcheckReport)
#include "tst_profcheckreport.moc"

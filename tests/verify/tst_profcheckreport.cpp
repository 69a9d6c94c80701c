#include "verify/profcheckreport.h"
#include "verify/profcheckrun.h"

#include <QtTest>

namespace {

struct Oraculo {
    QString count, maximum, average, rms, worstPatch;
    QList<ErrorParche> patches;
};

// An independent reading with regular expressions, to check the tolerant readers against: it
// only knows the exact shapes the installed profcheck prints.
Oraculo LeerConOraculo(const QString& output) {
    Oraculo o;
    const QString n = "(-?[0-9.]+)";
    const QRegularExpression count("^No of test patches = (\\d+)$");
    const QRegularExpression stats("^Profile check complete, errors: max\\. = (\\S+), avg\\. = "
                                   "(\\S+), RMS = (\\S+)$");
    const QRegularExpression patch("^\\[([0-9.]+)\\] (\\S+): .* -> " + n + " " + n + " " + n +
                                   " should be " + n + " " + n + " " + n + "$");
    double worst = 0;
    for (const QString& line : output.split(QRegularExpression("\r\n|\r|\n"))) {
        if (const auto m = count.match(line); m.hasMatch())
            o.count = m.captured(1);
        if (const auto m = stats.match(line); m.hasMatch()) {
            o.maximum = m.captured(1);
            o.average = m.captured(2);
            o.rms = m.captured(3);
        }
        const auto m = patch.match(line);
        if (!m.hasMatch())
            continue;
        double v[6];
        for (int k = 0; k < 6; ++k)
            v[k] = m.captured(3 + k).toDouble();
        const double de = m.captured(1).toDouble(), dl = v[0] - v[3];
        const double dc = std::hypot(v[1], v[2]) - std::hypot(v[4], v[5]);
        o.patches << ErrorParche{m.captured(2), de, qAbs(dl), qAbs(dc),
                                 qSqrt(qMax(0.0, de * de - dl * dl - dc * dc))};
        if (de > worst) {
            worst = de;
            o.worstPatch = m.captured(2);
        }
    }
    return o;
}

} // namespace

class TestProfcheckReport : public QObject {
    Q_OBJECT

private slots:
    // Real profcheck output, read alike with any line ending, against the independent reading.
    void capturedOutput_data() {
        QTest::addColumn<QString>("file");
        for (const char* options : {"v2-Ir", "v2-Ia", "v2-s-Ir", "v-Ir", "v-s-Ia"})
            QTest::newRow(options) << QString("colorchecker.profcheck-%1.txt").arg(options);
        QTest::newRow("100 patches") << "spread100.profcheck-v2-Ir.txt";
        QTest::newRow("288 patches") << "spread288.profcheck-v2-Ir.txt";
    }

    void capturedOutput() {
        QFETCH(QString, file);
        QFile data(QStringLiteral(NC_VERIFY_DATA "/") + file);
        QVERIFY(data.open(QIODevice::ReadOnly));
        const QString lf = QString::fromUtf8(data.readAll());
        const Oraculo oracle = LeerConOraculo(lf);
        QVERIFY(!oracle.maximum.isEmpty() && !oracle.count.isEmpty());
        const bool detail = file.contains("-v2");
        QCOMPARE(oracle.patches.size(), detail ? oracle.count.toInt() : 0);
        for (const QString& output :
             {lf, QString(lf).replace("\n", "\r\n"), QString(lf).replace("\n", "\r")}) {
            const CifrasProfcheck f = LeerCifrasProfcheck(output);
            QCOMPARE(QStringList({f.parches, f.maximo, f.media, f.rms, f.peor}),
                     QStringList({oracle.count, oracle.maximum, oracle.average, oracle.rms,
                                  oracle.worstPatch}));
            QVERIFY(ResumirProfcheck(output).contains(oracle.count + " parches"));
            // The list is replaced, never added to.
            QList<ErrorParche> patches{ErrorParche{"stale", 1, 1, 1, 1}};
            QCOMPARE(LeerDetalleProfcheck(output, patches), detail);
            QCOMPARE(patches.size(), oracle.patches.size());
            for (qsizetype i = 0; i < patches.size(); ++i) {
                const ErrorParche &a = patches[i], &b = oracle.patches[i];
                QCOMPARE(a.id + QString::number(a.de), b.id + QString::number(b.de));
                QVERIFY(qAbs(a.dl - b.dl) + qAbs(a.dc - b.dc) + qAbs(a.dh - b.dh) < 1e-9);
            }
        }
    }

    // The summary takes what it finds and makes nothing up.
    void tolerantSummary() {
        const QString r = "Resumen profcheck: ";
        const QList<QPair<QString, QString>> casos{
            {"", ""},
            {"No of test patches = 24\n[3.5] A01: x\n", ""}, // no final statistics
            {"No of test patches = 24\nProfile check complete, max. = 2.5",
             r + "24 parches; Delta E máx. 2.5"},
            {"Profile check complete, max.: 2.0, avg. = 1.0", r + "; media 1.0"},
            {"Profile check complete max. = 9\nProfile check complete RMS = 1", r + "; RMS 1"},
            // Of equal largest errors the first; none at zero or below; a larger error
            // without a colon raises the bar but names no patch.
            {"[2.5] A01: 1\n[2.5] B07: 1\n[1.5] C03: x\nProfile check complete, max. = 2.5",
             r + "Delta E máx. 2.5 (A01)"},
            {"[0] A01: x\n[-3] A02: x\nProfile check complete, max. = 0", r + "Delta E máx. 0"},
            {"[1] A01: x\n[5] B02 x\n[3] C03: x\nProfile check complete max. 5",
             r + "Delta E máx. 5 (A01)"},
            {"NO OF TEST PATCHES = 3\nprofile CHECK complete MAX. = 1 AVG.=2 rms 3",
             r + "3 parches; Delta E máx. 1; media 2; RMS 3"},
        };
        for (const auto& [output, summary] : casos)
            QCOMPARE(ResumirProfcheck(output), summary);
    }

    // Per-patch lines that do not fit are skipped; the components of what is read.
    void tolerantDetail() {
        const QList<std::tuple<QString, QString, QList<double>>> casos{
            {"[]\n[x\n[2.0] A02 1 2 3 -> 50 1 1 should be 50 1 1\n"
             "[3.0] A03: 1 2 3 should be 50 1 1 -> 50 1 1\n[4.0] A04 -> 50 1 1 should be 50 1 1 :\n"
             " [5.0] A05: 1 -> 50 1 1 SHOULD BE 50 1 1\n[] A06: 1 -> 50 1 1 should be 50 1 1\n"
             "[1.5] A01: 1 2 3 -> 50 10 10 should be 50 10 10",
             "A05 A01",
             {5, 0, 0, 5}},
            {"[1] A: 1 -> 50 1 1 should be 50 1\n[1] B: 1 -> 50 1 should be 50 1 1", "", {}},
            {"[1] A: 1 - > 1 1 1 should be 1 1 1\n(1) B: 1 -> 1 1 1 should be 1 1 1", "", {}},
            {"[5] A01: 1 -> 53 3 4 should be 50 0 0 99 99", "A01", {5, 3, 5, 0}},
            {"[-4.9] A01: 1 -> 43 6 8 should be 40 0 0", "A01", {4.9, 3, 10, 0}}, // no hue
            {"[5] A01: 1 -> 40 0 3 should be 40 3 0", "A01", {5, 0, 0, 5}},
        };
        for (const auto& [output, ids, first] : casos) {
            QList<ErrorParche> patches;
            QCOMPARE(LeerDetalleProfcheck(output, patches), !ids.isEmpty());
            QStringList read;
            for (const ErrorParche& e : patches)
                read << e.id;
            QCOMPARE(read.join(' '), ids);
            if (!patches.isEmpty())
                QCOMPARE(
                    QList<double>({patches[0].de, patches[0].dl, patches[0].dc, patches[0].dh}),
                    first);
        }
        // The colours of two pairs of Sharma, Wu and Dalal's CIEDE2000 test data.
        QList<ErrorParche> patches;
        QVERIFY(LeerDetalleProfcheck("[3.5] A01: 1 2 3 -> 50 2.6772 -79.7751 should be 50 0 "
                                     "-82.7485\n[1.0] B02: 1 2 3 -> 50 2.5 0 should be 73 25 -18\n",
                                     patches));
        QCOMPARE(qRound(patches[0].de2000 * 1e4), 20425);
        QCOMPARE(qRound(patches[1].de2000 * 1e4), 271492);
        // The window's options for profcheck; a pruning limit typed with a comma.
        QCOMPARE(ArgumentosProfcheck(OpcionesProfcheck{false, true, 7, " 0,5 "}),
                 QString("-v -s -Ia -P 0.5").split(' '));
        QCOMPARE(ArgumentosProfcheck(OpcionesProfcheck{true, false, 1, " "}),
                 QStringList({"-v2", "-Ir"}));
    }
};

QTEST_APPLESS_MAIN(TestProfcheckReport)
#include "tst_profcheckreport.moc"

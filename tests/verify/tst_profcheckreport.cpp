#include "verify/profcheckreport.h"
#include "verify/profcheckrun.h"

#include <QtTest>

class TestProfcheckReport : public QObject {
    Q_OBJECT

private slots:
    // Real profcheck output, read alike with any line ending: the figures as printed, every
    // patch line with the worst patch as the largest error, and the list replaced, never
    // added to.
    void capturedOutput() {
        const struct {
            const char *file, *count, *max, *avg, *rms, *worst;
        } casos[] = {
            {"colorchecker.profcheck-v2-Ir", "24", "6.749179", "4.032425", "4.208244", "D06"},
            {"colorchecker.profcheck-v2-s-Ir", "24", "6.749179", "4.032425", "4.208244", "D06"},
            {"colorchecker.profcheck-v-Ir", "24", "6.749179", "4.032425", "4.208244", ""},
            {"colorchecker.profcheck-v2-Ia", "24", "6.209860", "2.532509", "2.917167", "D06"},
            {"colorchecker.profcheck-v-s-Ia", "24", "6.209860", "2.532509", "2.917167", ""},
            {"spread100.profcheck-v2-Ir", "100", "41.090748", "11.343578", "12.952435", "D10"},
            {"spread288.profcheck-v2-Ir", "288", "45.591786", "11.215778", "12.998099", "F21"},
        };
        for (const auto& c : casos) {
            QFile data(QString(NC_VERIFY_DATA "/%1.txt").arg(c.file));
            QVERIFY(data.open(QIODevice::ReadOnly));
            const QString lf = QString::fromUtf8(data.readAll());
            for (const QString& output :
                 {lf, QString(lf).replace("\n", "\r\n"), QString(lf).replace("\n", "\r")}) {
                const CifrasProfcheck f = LeerCifrasProfcheck(output);
                QCOMPARE(QStringList({f.parches, f.maximo, f.media, f.rms, f.peor}),
                         QStringList({c.count, c.max, c.avg, c.rms, c.worst}));
                QList<ErrorParche> patches{ErrorParche{"stale", 99}};
                QCOMPARE(LeerDetalleProfcheck(output, patches), *c.worst != 0);
                QCOMPARE(patches.size(), *c.worst ? QString(c.count).toInt() : 0);
                for (const ErrorParche& e : patches)
                    QVERIFY(e.de < f.maximo.toDouble() ||
                            (e.de == f.maximo.toDouble() && e.id == c.worst));
            }
        }
        // The first patch of the first file: [3.867016] A01: ... -> 41.070707 13.199629
        // 11.750756 should be 37.990003 13.559720 14.060174.
        QFile data(NC_VERIFY_DATA "/colorchecker.profcheck-v2-Ir.txt");
        QList<ErrorParche> patches;
        QVERIFY(data.open(QIODevice::ReadOnly) && LeerDetalleProfcheck(data.readAll(), patches));
        QCOMPARE(patches[0].id, QString("A01"));
        QCOMPARE(QList<int>({qRound(patches[0].de * 1e6), qRound(patches[0].dl * 1e6),
                             qRound(patches[0].dc * 1e6), qRound(patches[0].dh * 1e6)}),
                 QList<int>({3867016, 3080704, 1861112, 1413979}));
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

// How the reading check separates right from wrong reads on rendered captures of every chart
// with a generic reference: scanin reads each capture with its true fiducials in the chart's
// four turns (the first one right, the others turned) and shifted by one patch each way; the
// table gives the fit error of every read and whether the check passes it. The check runs on
// the TI3 before colprof, so the profile algorithm plays no part. Exits 1 when a right read
// is flagged or a wrong one passes.

#include "chartrenderer.h"
#include "profile/fiducialmapping.h"
#include "profile/readplausibility.h"
#include "shell/toolrunner.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const QString kRef = QStringLiteral("/usr/share/color/argyll/ref/");

// The fit error of scanin's read with the fiducials, or -1 when scanin read nothing.
double FitWith(const QString& tiff, const QString& chart, const Quad& fiducials) {
    const QString ti3 = tiff.left(tiff.size() - 4) + QStringLiteral(".ti3");
    QFile::remove(ti3);
    QString output;
    const CommandLine scanin{QStringLiteral("scanin"),
                             {QStringLiteral("-v0"), QStringLiteral("-F"),
                              ListaFiduciales(fiducials), tiff, kRef + chart + ".cht",
                              kRef + chart + ".cie"},
                             QString()};
    QList<PatchReading> patches;
    QString error;
    if (EjecutarYLeerSalida(scanin, QFileInfo(tiff).path(), output) != 0 ||
        !ReadTi3Patches(ti3, &patches, &error))
        return -1;
    return FitRead(patches).error;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QStringList charts{"ColorChecker",        "ColorCheckerPassport", "SpyderChecker",
                             "SpyderChecker24",     "QPcard_201",           "QPcard_202",
                             "CMP_Digital_Target-4"};
    std::printf("%-22s %8s %8s %8s %8s %8s %8s %8s %8s\n", "chart", "right", "turn90", "turn180",
                "turn270", "+x", "-x", "+y", "-y");
    double worstRight = 0;
    double bestWrong = HUGE_VAL;
    bool failed = false;
    for (const QString& chart : charts) {
        chartrender::RenderOptions options;
        options.chtFile = kRef + chart + ".cht";
        options.referenceFile = kRef + chart + ".cie";
        options.width = 1600;
        chartrender::RenderInfo info;
        QString error;
        const QString tiff = dir.filePath(chart + ".tif");
        if (!chartrender::renderChart(options, tiff, &error, &info)) {
            std::printf("%-22s render failed: %s\n", qPrintable(chart), qPrintable(error));
            continue;
        }
        // One patch pitch along each side, from the patch count along it.
        const int patches = info.patchCount;
        const QPointF across = (info.fiducials[1] - info.fiducials[0]);
        const QPointF down = (info.fiducials[3] - info.fiducials[0]);
        const double aspect = std::hypot(across.x(), across.y()) / std::hypot(down.x(), down.y());
        const double columns = std::max(2.0, std::round(std::sqrt(patches * aspect)));
        const double rows = std::max(2.0, std::round(patches / columns));
        QList<Quad> reads = Giros(info.fiducials);
        for (const QPointF step :
             {across / columns, -across / columns, down / rows, -down / rows}) {
            Quad moved = info.fiducials;
            for (QPointF& p : moved)
                p += step;
            reads.append(moved);
        }
        std::printf("%-22s", qPrintable(chart));
        for (qsizetype i = 0; i < reads.size(); ++i) {
            const double fit = FitWith(tiff, chart, reads[i]);
            const bool right = i == 0;
            const bool passes = fit >= 0 && fit <= kMaxPlausibleFitError;
            if (fit >= 0 && right)
                worstRight = std::max(worstRight, fit);
            if (fit >= 0 && !right)
                bestWrong = std::min(bestWrong, fit);
            failed = failed || (right ? !passes : passes);
            std::printf(" %7.1f%s", fit, right == passes ? " " : "!");
        }
        std::printf("\n");
    }
    std::printf("\nworst right read %.1f, best wrong read %.1f, limit %.1f\n", worstRight,
                bestWrong, kMaxPlausibleFitError);
    return failed ? 1 : 0;
}

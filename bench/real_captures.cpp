// The command line over a folder of real chart captures described by a cases.tsv (file, chart,
// reference, hand-found fiducials or "-", note): per image the read method, whether its TI3
// matches a scanin read with the listed fiducials (or scanin's own read where none are listed),
// whether the read was flagged as suspect, the CIEDE2000 average and the seconds; then totals.
// Exits 1 when an image is read wrongly without a flag or not read at all.
//
//     real_captures [FOLDER] [CLI]   (defaults: ../shared/real-captures, bin/nerva-chromaflux-cli)

#include "image/freeimagelite.h"
#include "profile/ti3patches.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const QString kRef = QStringLiteral("/usr/share/color/argyll/ref/");

struct Case {
    QString file;
    QString chart;
    QString reference;
    QString fiducials; // empty: scanin reads it by itself
};

QList<Case> ReadCases(const QString& folder) {
    QList<Case> cases;
    QFile file(folder + QStringLiteral("/cases.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return cases;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QStringList f = QString::fromUtf8(raw).split(QLatin1Char('\t'));
        if (f.size() < 4 || f[0].startsWith(QLatin1Char('#')))
            continue;
        cases.append({f[0], f[1], f[2], f[3] == QLatin1String("-") ? QString() : f[3]});
    }
    return cases;
}

int Run(const QString& program, const QStringList& arguments, QByteArray* out = nullptr) {
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(program, arguments);
    if (!p.waitForFinished(600000))
        return -1;
    if (out)
        *out = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// The largest difference of one patch's device values between two reads, per patch: the
// median of them says whether both read the same patches.
double MedianDifference(const QString& a, const QString& b) {
    QList<PatchReading> pa;
    QList<PatchReading> pb;
    QString error;
    if (!ReadTi3Patches(a, &pa, &error) || !ReadTi3Patches(b, &pb, &error) ||
        pa.size() != pb.size() || pa.isEmpty())
        return HUGE_VAL;
    std::vector<double> d;
    for (qsizetype i = 0; i < pa.size(); ++i) {
        double worst = 0;
        for (int k = 0; k < 3; ++k)
            worst = std::max(worst, std::abs(pa[i].rgb[k] - pb[i].rgb[k]));
        d.push_back(worst);
    }
    std::nth_element(d.begin(), d.begin() + d.size() / 2, d.end());
    return d[d.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("../shared/real-captures");
    const QString cli = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                 : QCoreApplication::applicationDirPath() +
                                       QStringLiteral("/../bin/nerva-chromaflux-cli");
    const QList<Case> cases = ReadCases(folder);
    if (cases.isEmpty()) {
        std::fprintf(stderr, "no cases.tsv in %s\n", qPrintable(folder));
        return 2;
    }
    QTemporaryDir dir;
    std::printf("%-28s %-12s %-6s %-8s %-9s %-7s\n", "image", "method", "read", "flagged", "dE2000",
                "seconds");
    int right = 0;
    int judged = 0;
    int silentWrong = 0;
    double seconds = 0;
    for (const Case& c : cases) {
        if (!QFile::exists(kRef + c.reference)) {
            std::printf("%-28s (no reference to measure against)\n", qPrintable(c.file));
            continue;
        }
        const QString image = folder + QLatin1Char('/') + c.file;
        const QString base = dir.filePath(QFileInfo(c.file).completeBaseName());
        QElapsedTimer clock;
        clock.start();
        QByteArray json;
        const int rc =
            Run(cli,
                {QStringLiteral("create"), QStringLiteral("--image"), image,
                 QStringLiteral("--chart"), c.chart, QStringLiteral("--reference"),
                 kRef + c.reference, QStringLiteral("--output"), base + QStringLiteral(".icc"),
                 QStringLiteral("--save-ti3"), QStringLiteral("--json"), QStringLiteral("--quiet")},
                &json);
        const double s = clock.elapsed() / 1000.0;
        seconds += s;
        const QJsonObject o = QJsonDocument::fromJson(json).object();
        const QJsonObject read = o.value(QStringLiteral("read")).toObject();
        const QJsonObject check = o.value(QStringLiteral("check")).toObject();

        // The read to compare with: scanin on an accurate TIFF of the image.
        const QString tiff = base + QStringLiteral("_hand.tif");
        QStringList scanin{QStringLiteral("-v0")};
        if (!c.fiducials.isEmpty())
            scanin << QStringLiteral("-F") << c.fiducials;
        scanin << tiff << kRef + c.chart << kRef + c.reference;
        const bool handRead =
            FI_ConvertirATIFFRGB(image, tiff) && Run(QStringLiteral("scanin"), scanin) == 0;
        const double difference = handRead ? MedianDifference(base + QStringLiteral(".ti3"),
                                                              base + QStringLiteral("_hand.ti3"))
                                           : HUGE_VAL;
        const bool written = rc == 0 || rc == 3;
        const bool isRight = written && difference < 2.0;
        const bool flagged = rc == 3;
        ++judged;
        right += isRight && !flagged ? 1 : 0;
        silentWrong += !isRight && !flagged ? 1 : 0;
        std::printf("%-28s %-12s %-6s %-8s %-9s %-7.1f\n", qPrintable(c.file),
                    written ? qPrintable(read.value(QStringLiteral("method")).toString())
                            : qPrintable(QStringLiteral("rc=%1").arg(rc)),
                    !written  ? "none"
                    : isRight ? "right"
                              : "WRONG",
                    flagged ? "yes" : "no",
                    check.contains(QStringLiteral("avg2000"))
                        ? qPrintable(QString::number(
                              check.value(QStringLiteral("avg2000")).toDouble(), 'f', 2))
                        : "-",
                    s);
    }
    std::printf("\n%d of %d read right with no manual step; %d wrong or missing and not flagged; "
                "%.1f s in all\n",
                right, judged, silentWrong, seconds);
    return silentWrong == 0 ? 0 : 1;
}

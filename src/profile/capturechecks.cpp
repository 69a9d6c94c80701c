#include "profile/capturechecks.h"

#include "lang/texto.h"

#include <algorithm>
#include <vector>

namespace {

// Device values 0..100: within half a level of 8 bits of either end.
constexpr double kClipLow = 0.2;
constexpr double kClipHigh = 99.8;
// The white patch's brightest channel.
constexpr double kWhiteTooBright = 98.0;
constexpr double kWhiteTooDark = 50.0;
// A patch's spread against the chart's usual one.
constexpr double kSpreadFactor = 4.0;
constexpr double kSpreadFloor = 2.0;

double Spread(const PatchReading& p) {
    return std::max({p.stdev[0], p.stdev[1], p.stdev[2]});
}

QString Names(const QStringList& ids) {
    return ids.join(QStringLiteral(", "));
}

} // namespace

QList<CaptureWarning> CheckCapture(const QList<PatchReading>& patches) {
    QList<CaptureWarning> warnings;
    if (patches.isEmpty())
        return warnings;

    QStringList clipped;
    const PatchReading* white = &patches.front();
    std::vector<double> spreads;
    for (const PatchReading& p : patches) {
        if (std::any_of(p.rgb, p.rgb + 3, [](double v) { return v <= kClipLow || v >= kClipHigh; }))
            clipped << p.id;
        if (p.reference.y > white->reference.y)
            white = &p;
        spreads.push_back(Spread(p));
    }
    if (!clipped.isEmpty())
        warnings << CaptureWarning{QStringLiteral("clipped-patches"),
                                   Texto(QStringLiteral("capture.clipped")).arg(Names(clipped))};

    const double whiteLevel = std::max({white->rgb[0], white->rgb[1], white->rgb[2]});
    if (whiteLevel >= kWhiteTooBright)
        warnings << CaptureWarning{QStringLiteral("white-overexposed"),
                                   Texto(QStringLiteral("capture.white_bright"))
                                       .arg(white->id)
                                       .arg(whiteLevel, 0, 'f', 1)};
    else if (whiteLevel < kWhiteTooDark)
        warnings << CaptureWarning{
            QStringLiteral("white-underexposed"),
            Texto(QStringLiteral("capture.white_dark")).arg(white->id).arg(whiteLevel, 0, 'f', 1)};

    std::vector<double> sorted = spreads;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    const double usual = sorted[sorted.size() / 2];
    const double limit = std::max(kSpreadFloor, kSpreadFactor * usual);
    QStringList uneven;
    for (qsizetype i = 0; i < patches.size(); ++i) {
        if (spreads[std::size_t(i)] > limit)
            uneven << patches[i].id;
    }
    if (!uneven.isEmpty())
        warnings << CaptureWarning{QStringLiteral("uneven-patches"),
                                   Texto(QStringLiteral("capture.uneven")).arg(Names(uneven))};
    return warnings;
}

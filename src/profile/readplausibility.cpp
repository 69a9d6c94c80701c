#include "profile/readplausibility.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

using Row = std::array<double, 4>;

// Least squares of rows * coef = target with the normal equations; false when singular.
bool SolveLeastSquares(const std::vector<Row>& rows, const std::vector<double>& target, Row* coef) {
    double a[4][5] = {};
    for (std::size_t n = 0; n < rows.size(); ++n) {
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j)
                a[i][j] += rows[n][i] * rows[n][j];
            a[i][4] += rows[n][i] * target[n];
        }
    }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r) {
            if (std::abs(a[r][col]) > std::abs(a[pivot][col]))
                pivot = r;
        }
        if (std::abs(a[pivot][col]) < 1e-12)
            return false;
        std::swap(a[col], a[pivot]);
        for (int r = 0; r < 4; ++r) {
            if (r == col)
                continue;
            const double f = a[r][col] / a[col][col];
            for (int c = col; c < 5; ++c)
                a[r][c] -= f * a[col][c];
        }
    }
    for (int i = 0; i < 4; ++i)
        (*coef)[i] = a[i][4] / a[i][i];
    return true;
}

// Mean Delta E of the fit with one curve exponent, over the best 90 % of patches.
double FitError(const QList<PatchReading>& patches, double exponent) {
    std::vector<Row> rows;
    for (const PatchReading& p : patches) {
        Row r{};
        for (int k = 0; k < 3; ++k)
            r[k] = std::pow(std::clamp(p.rgb[k], 0.0, 100.0) / 100.0, exponent);
        r[3] = 1.0;
        rows.push_back(r);
    }
    Row coef[3];
    for (int out = 0; out < 3; ++out) {
        std::vector<double> target;
        for (const PatchReading& p : patches)
            target.push_back(out == 0 ? p.reference.x : out == 1 ? p.reference.y : p.reference.z);
        if (!SolveLeastSquares(rows, target, &coef[out]))
            return HUGE_VAL;
    }
    std::vector<double> errors;
    for (qsizetype n = 0; n < patches.size(); ++n) {
        double v[3];
        for (int out = 0; out < 3; ++out) {
            v[out] = 0.0;
            for (int i = 0; i < 4; ++i)
                v[out] += coef[out][i] * rows[std::size_t(n)][i];
        }
        errors.push_back(deltaE76(xyzToLab({v[0], v[1], v[2]}), xyzToLab(patches[n].reference)));
    }
    std::sort(errors.begin(), errors.end());
    const std::size_t kept = std::max<std::size_t>(1, errors.size() * 9 / 10);
    double sum = 0.0;
    for (std::size_t i = 0; i < kept; ++i)
        sum += errors[i];
    return sum / double(kept);
}

} // namespace

ReadFit FitRead(const QList<PatchReading>& patches) {
    ReadFit fit;
    fit.patches = int(patches.size());
    if (fit.patches < kMinPatchesToJudge)
        return fit;
    // Linear captures, gamma-encoded scans and camera JPEGs: the best of a few curves.
    fit.error = HUGE_VAL;
    for (const double exponent : {1.0, 1.8, 2.2, 2.6})
        fit.error = std::min(fit.error, FitError(patches, exponent));
    return fit;
}

bool PlausibleRead(const ReadFit& fit) {
    return fit.patches < kMinPatchesToJudge || fit.error <= kMaxPlausibleFitError;
}

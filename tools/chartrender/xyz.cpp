#include "xyz.h"

namespace chartrender {

namespace {

// D50 white, as ArgyllCMS uses for Lab.
constexpr double kWhiteX = 96.42;
constexpr double kWhiteY = 100.0;
constexpr double kWhiteZ = 82.49;

double labInverse(double t) {
    constexpr double delta = 6.0 / 29.0;
    return t > delta ? t * t * t : 3.0 * delta * delta * (t - 4.0 / 29.0);
}

} // namespace

Xyz labToXyz(double l, double a, double b) {
    const double fy = (l + 16.0) / 116.0;
    const double fx = fy + a / 500.0;
    const double fz = fy - b / 200.0;
    return {kWhiteX * labInverse(fx), kWhiteY * labInverse(fy), kWhiteZ * labInverse(fz)};
}

} // namespace chartrender

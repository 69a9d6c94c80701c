#include "charts/xyz.h"

#include <cmath>

namespace {

// D50 white, as ArgyllCMS uses for Lab.
constexpr double kWhiteX = 96.42;
constexpr double kWhiteY = 100.0;
constexpr double kWhiteZ = 82.49;

double labInverse(double t) {
    constexpr double delta = 6.0 / 29.0;
    return t > delta ? t * t * t : 3.0 * delta * delta * (t - 4.0 / 29.0);
}

double labForward(double t) {
    constexpr double delta = 6.0 / 29.0;
    return t > delta * delta * delta ? std::cbrt(t) : t / (3.0 * delta * delta) + 4.0 / 29.0;
}

} // namespace

Xyz labToXyz(double l, double a, double b) {
    const double fy = (l + 16.0) / 116.0;
    const double fx = fy + a / 500.0;
    const double fz = fy - b / 200.0;
    return {kWhiteX * labInverse(fx), kWhiteY * labInverse(fy), kWhiteZ * labInverse(fz)};
}

Lab xyzToLab(const Xyz& xyz) {
    const double fx = labForward(xyz.x / kWhiteX);
    const double fy = labForward(xyz.y / kWhiteY);
    const double fz = labForward(xyz.z / kWhiteZ);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

double deltaE76(const Lab& p, const Lab& q) {
    return std::hypot(p.l - q.l, p.a - q.a, p.b - q.b);
}

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

double deltaE2000(const Lab& p, const Lab& q) {
    constexpr double kDeg = 3.14159265358979323846 / 180.0;
    const auto pow7 = [](double v) { return std::pow(v, 7.0); };
    const double cBar = (std::hypot(p.a, p.b) + std::hypot(q.a, q.b)) / 2.0;
    const double g = 0.5 * (1.0 - std::sqrt(pow7(cBar) / (pow7(cBar) + pow7(25.0))));
    const double a1 = (1.0 + g) * p.a;
    const double a2 = (1.0 + g) * q.a;
    const double c1 = std::hypot(a1, p.b);
    const double c2 = std::hypot(a2, q.b);
    const auto hue = [&](double b, double a) {
        if (a == 0.0 && b == 0.0)
            return 0.0;
        const double h = std::atan2(b, a) / kDeg;
        return h < 0.0 ? h + 360.0 : h;
    };
    const double h1 = hue(p.b, a1);
    const double h2 = hue(q.b, a2);
    const bool achromatic = c1 * c2 == 0.0;
    double dh = h2 - h1;
    if (achromatic)
        dh = 0.0;
    else if (dh > 180.0)
        dh -= 360.0;
    else if (dh < -180.0)
        dh += 360.0;
    const double dL = q.l - p.l;
    const double dC = c2 - c1;
    const double dH = 2.0 * std::sqrt(c1 * c2) * std::sin(dh * kDeg / 2.0);
    const double lBar = (p.l + q.l) / 2.0;
    const double cBarP = (c1 + c2) / 2.0;
    double hBar = h1 + h2;
    if (!achromatic) {
        if (std::abs(h1 - h2) <= 180.0)
            hBar /= 2.0;
        else
            hBar = (hBar < 360.0 ? hBar + 360.0 : hBar - 360.0) / 2.0;
    }
    const double t =
        1.0 - 0.17 * std::cos((hBar - 30.0) * kDeg) + 0.24 * std::cos(2.0 * hBar * kDeg) +
        0.32 * std::cos((3.0 * hBar + 6.0) * kDeg) - 0.20 * std::cos((4.0 * hBar - 63.0) * kDeg);
    const double dTheta = 30.0 * std::exp(-std::pow((hBar - 275.0) / 25.0, 2.0));
    const double rC = 2.0 * std::sqrt(pow7(cBarP) / (pow7(cBarP) + pow7(25.0)));
    const double l50 = (lBar - 50.0) * (lBar - 50.0);
    const double sL = 1.0 + 0.015 * l50 / std::sqrt(20.0 + l50);
    const double sC = 1.0 + 0.045 * cBarP;
    const double sH = 1.0 + 0.015 * cBarP * t;
    const double rT = -std::sin(2.0 * dTheta * kDeg) * rC;
    const double l = dL / sL;
    const double c = dC / sC;
    const double h = dH / sH;
    return std::sqrt(l * l + c * c + h * h + rT * c * h);
}

#pragma once

// CIE XYZ under D50, Y scaled to 100 for the perfect white.
struct Xyz {
    double x = 0;
    double y = 0;
    double z = 0;
};

struct Lab {
    double l = 0;
    double a = 0;
    double b = 0;
};

Xyz labToXyz(double l, double a, double b);
Lab xyzToLab(const Xyz& xyz);
double deltaE76(const Lab& p, const Lab& q);
// CIEDE2000 with the reference conditions (kL = kC = kH = 1).
double deltaE2000(const Lab& p, const Lab& q);

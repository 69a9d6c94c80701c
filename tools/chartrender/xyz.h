#pragma once

namespace chartrender {

// CIE XYZ under D50, Y scaled to 100 for the perfect white.
struct Xyz {
    double x = 0;
    double y = 0;
    double z = 0;
};

Xyz labToXyz(double l, double a, double b);

} // namespace chartrender

#pragma once

#include <array>

#include "charts/xyz.h"

namespace chartrender {

using Rgb = std::array<double, 3>;

// A plain camera: XYZ (D50) to linear sensor RGB through a fixed 3x3 matrix, then a pure power
// tone curve. A gamma+matrix profile describes it exactly, so profile errors measure only the
// capture's flaws (light fall-off, noise), not the model.
class CameraModel {
public:
    explicit CameraModel(double gamma = 2.2);

    // Linear sensor RGB; the perfect white (Y = 100) gives 1, 1, 1.
    Rgb linear(const Xyz& xyz) const;
    // The tone curve, 0..1 in and out.
    double encode(double linear) const;
    double gamma() const { return m_gamma; }

private:
    double m_gamma;
    std::array<std::array<double, 3>, 3> m_fromXyz{};
};

} // namespace chartrender

#include "cameramodel.h"

#include <cmath>

namespace chartrender {

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

Matrix inverse(const Matrix& m) {
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    Matrix r;
    r[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) / det;
    r[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / det;
    r[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / det;
    r[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) / det;
    r[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det;
    r[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / det;
    r[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) / det;
    r[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / det;
    r[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det;
    return r;
}

} // namespace

CameraModel::CameraModel(double gamma) : m_gamma(gamma) {
    // Sensor primaries (xy chromaticities) wider than any catalogue chart's patches, so no
    // patch clips; white is D50.
    constexpr double primaries[3][2] = {{0.690, 0.305}, {0.190, 0.760}, {0.135, 0.045}};
    constexpr double white[3] = {0.9642, 1.0, 0.8249};
    Matrix columns;
    for (int c = 0; c < 3; ++c) {
        const double x = primaries[c][0];
        const double y = primaries[c][1];
        columns[0][c] = x / y;
        columns[1][c] = 1.0;
        columns[2][c] = (1.0 - x - y) / y;
    }
    const Matrix inv = inverse(columns);
    Matrix toXyz;
    for (int c = 0; c < 3; ++c) {
        const double scale = inv[c][0] * white[0] + inv[c][1] * white[1] + inv[c][2] * white[2];
        for (int r = 0; r < 3; ++r)
            toXyz[r][c] = columns[r][c] * scale;
    }
    m_fromXyz = inverse(toXyz);
}

Rgb CameraModel::linear(const Xyz& xyz) const {
    const double v[3] = {xyz.x / 100.0, xyz.y / 100.0, xyz.z / 100.0};
    Rgb out;
    for (int r = 0; r < 3; ++r)
        out[r] = m_fromXyz[r][0] * v[0] + m_fromXyz[r][1] * v[1] + m_fromXyz[r][2] * v[2];
    return out;
}

double CameraModel::encode(double linear) const {
    return linear <= 0 ? 0 : std::pow(linear, 1.0 / m_gamma);
}

} // namespace chartrender

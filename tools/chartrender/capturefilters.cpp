#include "capturefilters.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "cameramodel.h"

namespace chartrender {

namespace {

constexpr int kChannels = 4;

float* pixelRow(QImage* image, int y) {
    return reinterpret_cast<float*>(image->scanLine(y));
}

std::vector<float> gaussianKernel(double sigma) {
    const int radius = std::max(1, int(std::ceil(3 * sigma)));
    std::vector<float> kernel(2 * radius + 1);
    double sum = 0;
    for (int i = -radius; i <= radius; ++i) {
        const double v = std::exp(-0.5 * i * i / (sigma * sigma));
        kernel[i + radius] = float(v);
        sum += v;
    }
    for (float& v : kernel)
        v = float(v / sum);
    return kernel;
}

// One blur pass over n samples spaced `step` floats apart, edges clamped.
void blurLine(float* data, int n, int step, const std::vector<float>& kernel,
              std::vector<float>* scratch) {
    const int radius = int(kernel.size() / 2);
    scratch->resize(size_t(n) * 3);
    for (int i = 0; i < n; ++i) {
        float acc[3] = {0, 0, 0};
        for (int k = -radius; k <= radius; ++k) {
            const float* p = data + size_t(std::clamp(i + k, 0, n - 1)) * step;
            const float w = kernel[k + radius];
            acc[0] += w * p[0];
            acc[1] += w * p[1];
            acc[2] += w * p[2];
        }
        std::copy(acc, acc + 3, scratch->data() + size_t(i) * 3);
    }
    for (int i = 0; i < n; ++i)
        std::copy_n(scratch->data() + size_t(i) * 3, 3, data + size_t(i) * step);
}

} // namespace

void fillSurround(QImage* linear, std::mt19937* random) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    // A few slow waves of random direction and phase make the blotches.
    struct Wave {
        double fx, fy, phase, amplitude;
    };
    std::vector<Wave> waves;
    for (int i = 0; i < 4; ++i) {
        const double angle = unit(*random) * 2 * std::numbers::pi;
        const double cycles = 0.6 + 1.8 * unit(*random);
        waves.push_back({std::cos(angle) * cycles / linear->width(),
                         std::sin(angle) * cycles / linear->width(),
                         unit(*random) * 2 * std::numbers::pi, 0.04 + 0.05 * unit(*random)});
    }
    std::normal_distribution<float> grain(0.f, 0.025f);
    constexpr float tint[3] = {0.24f, 0.21f, 0.17f};
    for (int y = 0; y < linear->height(); ++y) {
        float* row = pixelRow(linear, y);
        for (int x = 0; x < linear->width(); ++x) {
            double shade = 1.0;
            for (const Wave& w : waves)
                shade +=
                    w.amplitude * std::sin(2 * std::numbers::pi * (w.fx * x + w.fy * y) + w.phase);
            const float g = grain(*random);
            for (int c = 0; c < 3; ++c)
                row[x * kChannels + c] = float(tint[c] * shade) * (1.f + g);
            row[x * kChannels + 3] = 1.f;
        }
    }
}

double lightingGain(const QSize& size, const QPointF& at, double falloff) {
    const double cx = size.width() / 2.0;
    const double cy = size.height() / 2.0;
    const double dx = at.x() - cx;
    const double dy = at.y() - cy;
    return (1.0 - falloff * (dx * dx + dy * dy) / (cx * cx + cy * cy)) *
           (1.0 - falloff * 0.5 * dx / cx);
}

void applyLighting(QImage* linear, double falloff) {
    for (int y = 0; y < linear->height(); ++y) {
        float* row = pixelRow(linear, y);
        for (int x = 0; x < linear->width(); ++x) {
            const float gain =
                float(lightingGain(linear->size(), QPointF(x + 0.5, y + 0.5), falloff));
            for (int c = 0; c < 3; ++c)
                row[x * kChannels + c] *= gain;
        }
    }
}

void gaussianBlur(QImage* linear, double sigma) {
    if (sigma <= 0)
        return;
    const std::vector<float> kernel = gaussianKernel(sigma);
    std::vector<float> scratch;
    const int width = linear->width();
    const int height = linear->height();
    for (int y = 0; y < height; ++y)
        blurLine(pixelRow(linear, y), width, kChannels, kernel, &scratch);
    const int stride = int(linear->bytesPerLine() / sizeof(float));
    float* base = pixelRow(linear, 0);
    for (int x = 0; x < width; ++x)
        blurLine(base + size_t(x) * kChannels, height, stride, kernel, &scratch);
}

QImage encodeImage(const QImage& linear, const CameraModel& camera, int bitsPerChannel,
                   double noise, std::mt19937* random) {
    const bool deep = bitsPerChannel > 8;
    QImage out(linear.size(), deep ? QImage::Format_RGBX64 : QImage::Format_RGB888);
    const double full = deep ? 65535.0 : 255.0;
    // A zero deviation is not a valid distribution; no noise then draws nothing.
    std::normal_distribution<double> grain(0.0, noise > 0 ? noise : 1.0);
    // The tone curve through a table: pow() per sample is slow on large images.
    constexpr int kTable = 1 << 16;
    std::vector<double> curve(kTable + 1);
    for (int i = 0; i <= kTable; ++i)
        curve[i] = camera.encode(double(i) / kTable);
    for (int y = 0; y < linear.height(); ++y) {
        const float* in = reinterpret_cast<const float*>(linear.constScanLine(y));
        uchar* line = out.scanLine(y);
        for (int x = 0; x < linear.width(); ++x) {
            for (int c = 0; c < 3; ++c) {
                const double v = std::clamp(double(in[x * kChannels + c]), 0.0, 1.0) * kTable;
                const int i = std::min(int(v), kTable - 1);
                double e = curve[i] + (curve[i + 1] - curve[i]) * (v - i);
                if (noise > 0)
                    e += grain(*random);
                const double q = std::round(std::clamp(e, 0.0, 1.0) * full);
                if (deep)
                    reinterpret_cast<quint16*>(line)[x * 4 + c] = quint16(q);
                else
                    line[x * 3 + c] = uchar(q);
            }
            if (deep)
                reinterpret_cast<quint16*>(line)[x * 4 + 3] = 65535;
        }
    }
    return out;
}

} // namespace chartrender

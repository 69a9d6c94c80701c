#pragma once

#include <QImage>

#include <random>

namespace chartrender {

class CameraModel;

// The photographic flaws of a capture, applied to a linear image in
// QImage::Format_RGBA32FPx4 (sensor RGB, 1 = perfect white).

// The table the chart lies on: a warm grey with slow blotches and a fine grain, so the
// surround is not one flat colour.
void fillSurround(QImage* linear, std::mt19937* random);
// Light falling off towards the corners (share lost at the corners) with a slight slope across:
// the gain at a point of an image of the given size, and the gain applied to every pixel.
double lightingGain(const QSize& size, const QPointF& at, double falloff);
void applyLighting(QImage* linear, double falloff);
// Lens softness: a Gaussian blur of the given sigma in pixels.
void gaussianBlur(QImage* linear, double sigma);
// Through the camera's tone curve to 8 bits (Format_RGB888) or 16 bits (Format_RGBX64), with
// Gaussian noise of the given standard deviation (share of full scale) after the curve.
QImage encodeImage(const QImage& linear, const CameraModel& camera, int bitsPerChannel,
                   double noise, std::mt19937* random);

} // namespace chartrender

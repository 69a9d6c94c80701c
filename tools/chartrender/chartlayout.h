#pragma once

#include <QRectF>
#include <QSize>
#include <QTransform>

class ChartDefinition;

namespace chartrender {

// Where the chart lands in the output image.
struct ChartLayout {
    // The chart card, in chart units: every box and fiducial with a border around the patches.
    QRectF card;
    // Chart units to output pixels: perspective, rotation, portrait turn, scale and placement.
    QTransform toImage;
    QSize imageSize;
};

struct LayoutOptions {
    int width = 1600;
    // Clockwise, degrees.
    double rotationDeg = 0;
    // Keystone amount, 0 (none) to 0.6: the right and bottom edges of the card shrink.
    double perspective = 0;
    // A quarter turn clockwise, as a camera held upright gives.
    bool portrait = false;
};

ChartLayout layoutChart(const ChartDefinition& chart, const LayoutOptions& options);

} // namespace chartrender

#pragma once

#include <QImage>
#include <QList>
#include <QRectF>

#include "cameramodel.h"

class ChartDefinition;

namespace chartrender {
struct ChartLayout;

// The chart in front of the camera, painted into a linear image (QImage::Format_RGBA32FPx4)
// through the layout: the black card, the printed features the edge lists record, the patches
// (linear sensor RGB times exposure) and, if asked, marks at the fiducials.
void paintChart(QImage* linear, const ChartDefinition& chart, const ChartLayout& layout,
                const QList<Rgb>& colours, double exposure, bool fiducialMarks);

// The edges the chart's edge lists record that no patch or card side gives (printed logos,
// text, a hinge), as rectangles in chart units.
QList<QRectF> printedFeatures(const ChartDefinition& chart, const QRectF& card);

} // namespace chartrender

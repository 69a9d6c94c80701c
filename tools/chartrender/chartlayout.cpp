#include "chartlayout.h"

#include <QPolygonF>

#include <cmath>
#include <numbers>

#include "charts/chartdefinition.h"

namespace chartrender {

namespace {

// Share of the output width left free around the chart.
constexpr double kMarginShare = 0.08;
// Least border, as a share of the chart's larger side, between patches and the card edge.
constexpr double kCardBorderShare = 0.03;

QRectF cardRect(const ChartDefinition& chart) {
    QRectF content;
    for (const ChartBox& box : chart.samples())
        content = content.isNull() ? box.rect : content.united(box.rect);
    const QRectF extent = chart.extent();
    const double border = kCardBorderShare * qMax(extent.width(), extent.height());
    return extent.united(content.adjusted(-border, -border, border, border));
}

} // namespace

ChartLayout layoutChart(const ChartDefinition& chart, const LayoutOptions& options) {
    ChartLayout layout;
    layout.card = cardRect(chart);
    const double w = layout.card.width();
    const double h = layout.card.height();
    const double k = options.perspective;
    const QPolygonF warped({QPointF(0, 0), QPointF(w, k * h / 2),
                            QPointF(w * (1 - k / 4), h * (1 - k / 2)), QPointF(w * k / 4, h)});
    // Four corners each: QPolygonF(QRectF) would close the ring with a fifth point, which
    // quadToQuad() refuses.
    const QPolygonF flat({QPointF(0, 0), QPointF(w, 0), QPointF(w, h), QPointF(0, h)});
    QTransform warp;
    QTransform::quadToQuad(flat, warped, warp);

    const double refRotationDeg = chart.refRotation() * 180.0 / std::numbers::pi;
    QTransform turn;
    turn.rotate(options.rotationDeg + refRotationDeg + (options.portrait ? 90.0 : 0.0));

    const QTransform shape =
        QTransform::fromTranslate(-layout.card.left(), -layout.card.top()) * warp * turn;
    const QRectF bounds = shape.map(QPolygonF(layout.card)).boundingRect();
    const double margin = std::round(kMarginShare * options.width);
    const double scale = (options.width - 2 * margin) / bounds.width();
    layout.toImage = shape * QTransform::fromTranslate(-bounds.left(), -bounds.top()) *
                     QTransform::fromScale(scale, scale) *
                     QTransform::fromTranslate(margin, margin);
    layout.imageSize = QSize(options.width, int(std::ceil(bounds.height() * scale + 2 * margin)));
    return layout;
}

} // namespace chartrender

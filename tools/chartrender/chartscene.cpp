#include "chartscene.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "chartlayout.h"
#include "charts/chartdefinition.h"

namespace chartrender {

namespace {

// Linear reflectances of the black card, the printed features and the fiducial marks.
constexpr double kCardLevel = 0.012;
constexpr double kFeatureLevel = 0.15;
constexpr double kMarkLevel = 0.65;
constexpr double kMarkLengthShare = 0.025;
constexpr double kMarkWidthShare = 0.004;

QColor linearColor(const Rgb& rgb, double exposure) {
    return QColor::fromRgbF(float(qBound(0.0, rgb[0] * exposure, 1.0)),
                            float(qBound(0.0, rgb[1] * exposure, 1.0)),
                            float(qBound(0.0, rgb[2] * exposure, 1.0)));
}

// scanin correlates the capture's edges against the full lists, so a capture without these
// matches worse. Neighbouring ticks become one band, a lone tick a thin line; each spans its
// tick's relative strength of the patch area, across its middle.
QList<QRectF> featuresAlong(const QList<ChartBox>& samples, const QRectF& card,
                            const QList<EdgeTick>& ticks, bool vertical) {
    QRectF content;
    QList<double> edges{vertical ? card.left() : card.top(),
                        vertical ? card.right() : card.bottom()};
    for (const ChartBox& box : samples) {
        content = content.isNull() ? box.rect : content.united(box.rect);
        edges << (vertical ? box.rect.left() : box.rect.top())
              << (vertical ? box.rect.right() : box.rect.bottom());
    }
    const double along = vertical ? content.width() : content.height();
    const double tolerance = 0.01 * along;
    QList<EdgeTick> missing;
    for (const EdgeTick& tick : ticks) {
        const bool given = std::any_of(edges.begin(), edges.end(), [&](double e) {
            return std::abs(e - tick.position) <= tolerance;
        });
        if (!given)
            missing.append(tick);
    }
    std::sort(missing.begin(), missing.end(),
              [](const EdgeTick& a, const EdgeTick& b) { return a.position < b.position; });
    QList<QRectF> features;
    const double across = vertical ? content.height() : content.width();
    const double middle = vertical ? content.center().y() : content.center().x();
    for (qsizetype i = 0; i < missing.size(); ++i) {
        double from = missing[i].position;
        double to = from + 0.005 * along;
        double strength = missing[i].strength;
        if (i + 1 < missing.size() && missing[i + 1].position - from < 0.08 * along) {
            to = missing[i + 1].position;
            strength = qMax(strength, missing[i + 1].strength);
            ++i;
        }
        const double length = qBound(0.05, strength, 1.0) * across;
        const QRectF r = vertical ? QRectF(from, middle - length / 2, to - from, length)
                                  : QRectF(middle - length / 2, from, length, to - from);
        features.append(r);
    }
    return features;
}

// L-shaped marks whose corner is the fiducial and whose arms point away from the chart centre,
// unless the fiducial sits on the card's edge, where the card corner itself is the mark.
void paintFiducialMarks(QPainter* painter, const ChartDefinition& chart, const QRectF& card) {
    QPointF centre;
    for (const QPointF& f : chart.fiducials())
        centre += f / 4.0;
    const double size = qMax(card.width(), card.height());
    const double onEdge = 0.005 * size;
    const double thick = kMarkWidthShare * size;
    for (const QPointF& f : chart.fiducials()) {
        if (f.x() - card.left() < onEdge || card.right() - f.x() < onEdge ||
            f.y() - card.top() < onEdge || card.bottom() - f.y() < onEdge)
            continue;
        const double sx = f.x() < centre.x() ? -1 : 1;
        const double sy = f.y() < centre.y() ? -1 : 1;
        const double roomX = sx < 0 ? f.x() - card.left() : card.right() - f.x();
        const double roomY = sy < 0 ? f.y() - card.top() : card.bottom() - f.y();
        const double len = qMin(kMarkLengthShare * size, 0.7 * qMin(roomX, roomY));
        painter->drawRect(QRectF(f, QPointF(f.x() + sx * len, f.y() + sy * thick)).normalized());
        painter->drawRect(QRectF(f, QPointF(f.x() + sx * thick, f.y() + sy * len)).normalized());
    }
}

} // namespace

QList<QRectF> printedFeatures(const ChartDefinition& chart, const QRectF& card) {
    const QList<ChartBox> samples = chart.samples();
    return featuresAlong(samples, card, chart.xTicks(), true) +
           featuresAlong(samples, card, chart.yTicks(), false);
}

void paintChart(QImage* linear, const ChartDefinition& chart, const ChartLayout& layout,
                const QList<Rgb>& colours, double exposure, bool fiducialMarks) {
    QPainter painter(linear);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setTransform(layout.toImage);
    painter.setBrush(linearColor({kCardLevel, kCardLevel, kCardLevel * 1.05}, exposure));
    painter.drawRect(layout.card);
    painter.setBrush(linearColor({kFeatureLevel, kFeatureLevel, kFeatureLevel}, exposure));
    for (const QRectF& r : printedFeatures(chart, layout.card))
        painter.drawRect(r);
    const QList<ChartBox> samples = chart.samples();
    for (qsizetype i = 0; i < samples.size(); ++i) {
        painter.setBrush(linearColor(colours[i], exposure));
        painter.drawRect(samples[i].rect);
    }
    if (fiducialMarks && chart.hasFiducials()) {
        painter.setBrush(linearColor({kMarkLevel, kMarkLevel, kMarkLevel}, exposure));
        paintFiducialMarks(&painter, chart, layout.card);
    }
}

} // namespace chartrender

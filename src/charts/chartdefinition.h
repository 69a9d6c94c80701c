#pragma once

#include <QHash>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <array>

#include "charts/xyz.h"

// One box of a chart definition: a sample patch (X/Y lines) or a diagnostic box (D lines).
struct ChartBox {
    QString id;
    QRectF rect;
    bool sample = false;
};

// One entry of XLIST or YLIST: an edge position with its relative strength.
struct EdgeTick {
    double position = 0;
    double strength = 0;
    double crossings = 0;
};

// An ArgyllCMS scanin recognition file (.cht), in the chart's own units.
class ChartDefinition {
public:
    bool load(const QString& path, QString* error);

    const QList<ChartBox>& boxes() const { return m_boxes; }
    QList<ChartBox> samples() const;
    bool hasFiducials() const { return m_hasFiducials; }
    // TL, TR, BR, BL as the F line gives them.
    const std::array<QPointF, 4>& fiducials() const { return m_fiducials; }
    double boxShrink() const { return m_boxShrink; }
    // Clockwise, in radians.
    double refRotation() const { return m_refRotation; }
    const QList<EdgeTick>& xTicks() const { return m_xTicks; }
    const QList<EdgeTick>& yTicks() const { return m_yTicks; }
    // EXPECTED values converted to XYZ (Y 0..100), keyed by box id.
    const QHash<QString, Xyz>& expected() const { return m_expected; }
    // Bounding rectangle of every box and fiducial.
    QRectF extent() const;

private:
    bool parse(const QList<QStringList>& lines, QString* error);
    bool parseBoxLine(const QStringList& tokens, QString* error);

    QList<ChartBox> m_boxes;
    std::array<QPointF, 4> m_fiducials{};
    bool m_hasFiducials = false;
    double m_boxShrink = 0;
    double m_refRotation = 0;
    QList<EdgeTick> m_xTicks;
    QList<EdgeTick> m_yTicks;
    QHash<QString, Xyz> m_expected;
};

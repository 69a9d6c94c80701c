#include "profile/fiducialmapping.h"

#include "charts/chartdefinition.h"
#include "charts/sampleid.h"

#include <QHash>
#include <QPolygonF>
#include <QStringList>
#include <QTransform>

#include <algorithm>
#include <optional>

namespace {

// The detector's model leaves a tenth of a patch around the patch block.
constexpr double kBlockMargin = 0.1;

Quad FromPolygon(const QPolygonF& p) {
    return {p[0], p[1], p[2], p[3]};
}

QPolygonF ToPolygon(const Quad& q) {
    return QPolygonF({q[0], q[1], q[2], q[3]});
}

// The outer corners of each block of 4 x 6 patches, at A1, A6, D6, D1 (and E1, E6, H6, H1
// and so on for charts with several blocks), in the chart's own units.
QList<Quad> BlockCorners(const ChartDefinition& chart) {
    QHash<QString, QRectF> rects;
    for (const ChartBox& box : chart.samples())
        rects.insert(sampleKey(box.id), box.rect);
    QList<Quad> blocks;
    for (char first = 'A'; first + 3 <= 'Z'; first += 4) {
        const QChar top(first);
        const QChar bottom(first + 3);
        const QString ids[4] = {top + QStringLiteral("1"), top + QStringLiteral("6"),
                                bottom + QStringLiteral("6"), bottom + QStringLiteral("1")};
        if (!std::all_of(ids, ids + 4, [&](const QString& id) { return rects.contains(id); }))
            break;
        QPointF middle;
        for (const QString& id : ids)
            middle += rects.value(id).center() / 4.0;
        Quad corners;
        for (std::size_t i = 0; i < 4; ++i) {
            const QRectF r = rects.value(ids[i]);
            const QPointF c = r.center();
            const double dx = (c.x() < middle.x() ? -0.5 : 0.5) * r.width();
            const double dy = (c.y() < middle.y() ? -0.5 : 0.5) * r.height();
            corners[i] = c + QPointF(dx, dy) * (1.0 + 2.0 * kBlockMargin);
        }
        blocks.append(corners);
    }
    return blocks;
}

Quad SampleExtent(const ChartDefinition& chart) {
    QRectF r;
    for (const ChartBox& box : chart.samples())
        r = r.isNull() ? box.rect : r.united(box.rect);
    return {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
}

} // namespace

QString FormatoCoordenada(double value) {
    // QString::number never uses the locale; the replacement keeps "." if that ever changed.
    return QString::number(value, 'f', 2).replace(QLatin1Char(','), QLatin1Char('.'));
}

QString ListaFiduciales(const std::array<double, 4>& x, const std::array<double, 4>& y) {
    QStringList numbers;
    for (int i = 0; i < 4; ++i)
        numbers << FormatoCoordenada(x[std::size_t(i)]) << FormatoCoordenada(y[std::size_t(i)]);
    return numbers.join(QLatin1Char(','));
}

QString ListaFiduciales(const Quad& points) {
    std::array<double, 4> x;
    std::array<double, 4> y;
    for (std::size_t i = 0; i < 4; ++i) {
        x[i] = points[i].x();
        y[i] = points[i].y();
    }
    return ListaFiduciales(x, y);
}

bool LeerListaFiduciales(const QString& list, Quad* points) {
    const QStringList parts = list.split(QLatin1Char(','));
    if (parts.size() != 8)
        return false;
    double v[8];
    for (int i = 0; i < 8; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toDouble(&ok);
        if (!ok)
            return false;
    }
    for (std::size_t i = 0; i < 4; ++i)
        (*points)[i] = QPointF(v[2 * i], v[2 * i + 1]);
    return true;
}

QList<Quad> Giros(const Quad& corners) {
    QList<Quad> turns;
    for (std::size_t r = 0; r < 4; ++r) {
        Quad q;
        for (std::size_t i = 0; i < 4; ++i)
            q[i] = corners[(i + r) % 4];
        turns.append(q);
    }
    return turns;
}

QList<Quad> FiducialesDeCarta(const ChartDefinition& chart, const LocatedChart& located) {
    QList<Quad> sets;
    if (!chart.hasFiducials())
        return sets;
    const QList<Quad> sources = located.kind == LocatedChart::Block
                                    ? BlockCorners(chart)
                                    : QList<Quad>{SampleExtent(chart)};
    const QPolygonF marks = ToPolygon(chart.fiducials());
    for (const Quad& source : sources) {
        for (const Quad& target : Giros(located.corners)) {
            QTransform h;
            if (QTransform::quadToQuad(ToPolygon(source), ToPolygon(target), h))
                sets.append(FromPolygon(h.map(marks)));
        }
    }
    return sets;
}

std::optional<Quad> EsquinasDeCartaEncontrada(const QString& imagen, const QString& cht) {
    ChartDefinition chart;
    QString error;
    if (!chart.load(cht, &error))
        return std::nullopt;
    for (const LocatedChart& c : LocateChart(imagen, true)) {
        const QList<Quad> sets = FiducialesDeCarta(chart, c);
        if (!sets.isEmpty())
            return EnOrdenDeImagen(sets.first());
    }
    return std::nullopt;
}

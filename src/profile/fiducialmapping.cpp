#include "profile/fiducialmapping.h"

#include "charts/chartdefinition.h"
#include "charts/sampleid.h"

#include <QHash>
#include <QLineF>
#include <QPolygonF>
#include <QStringList>
#include <QTransform>

#include <opencv2/calib3d.hpp>

#include <algorithm>
#include <cmath>
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
        // Six patches a row, no seventh: a chart of longer rows is no such block.
        if (!std::all_of(ids, ids + 4, [&](const QString& id) { return rects.contains(id); }) ||
            rects.contains(top + QStringLiteral("7")))
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

// The mapping refined on the patches found: each found centre is paired with the nearest
// chart patch as the mapping places it, and the homography of the pairs replaces the mapping,
// a few times over. Corners of a region are rough (a patch missed at its edge moves them); the
// patches in between pin the chart down.
QTransform AjustarAParches(const ChartDefinition& chart, QTransform h,
                           const QList<QPointF>& encontrados) {
    std::vector<cv::Point2f> carta;
    for (const ChartBox& box : chart.samples())
        carta.emplace_back(float(box.rect.center().x()), float(box.rect.center().y()));
    if (carta.size() < 2 || encontrados.size() < 8)
        return h;
    for (int vuelta = 0; vuelta < 3; ++vuelta) {
        std::vector<QPointF> mapeados;
        for (const cv::Point2f& c : carta)
            mapeados.push_back(h.map(QPointF(c.x, c.y)));
        // The pitch: the median distance of a mapped patch to its nearest neighbour.
        std::vector<double> vecinos;
        for (std::size_t i = 0; i < mapeados.size(); ++i) {
            double d = HUGE_VAL;
            for (std::size_t j = 0; j < mapeados.size(); ++j) {
                if (i != j)
                    d = std::min(d, QLineF(mapeados[i], mapeados[j]).length());
            }
            vecinos.push_back(d);
        }
        std::nth_element(vecinos.begin(), vecinos.begin() + vecinos.size() / 2, vecinos.end());
        const double paso = vecinos[vecinos.size() / 2];
        std::vector<cv::Point2f> desde;
        std::vector<cv::Point2f> hacia;
        for (const QPointF& e : encontrados) {
            std::size_t mejor = 0;
            double distancia = HUGE_VAL;
            for (std::size_t i = 0; i < mapeados.size(); ++i) {
                const double d = QLineF(mapeados[i], e).length();
                if (d < distancia) {
                    distancia = d;
                    mejor = i;
                }
            }
            if (distancia < 0.35 * paso) {
                desde.push_back(carta[mejor]);
                hacia.emplace_back(float(e.x()), float(e.y()));
            }
        }
        if (desde.size() < 8)
            return h;
        const cv::Mat m = cv::findHomography(desde, hacia, cv::RANSAC, 0.1 * paso);
        if (m.empty())
            return h;
        h = QTransform(m.at<double>(0, 0), m.at<double>(1, 0), m.at<double>(2, 0),
                       m.at<double>(0, 1), m.at<double>(1, 1), m.at<double>(2, 1),
                       m.at<double>(0, 2), m.at<double>(1, 2), m.at<double>(2, 2));
    }
    return h;
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
            if (!QTransform::quadToQuad(ToPolygon(source), ToPolygon(target), h))
                continue;
            const Quad set = FromPolygon(AjustarAParches(chart, h, located.centres).map(marks));
            // scanin would take a negative first number for an option; such a turn puts the
            // chart's marks outside the image anyway.
            if (std::all_of(set.begin(), set.end(), [](const QPointF& p) {
                    return std::isfinite(p.x()) && std::isfinite(p.y()) && p.x() >= 0 && p.y() >= 0;
                }))
                sets.append(set);
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

#include "chartrenderer.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <random>

#include "cameramodel.h"
#include "capturefilters.h"
#include "chartdefinition.h"
#include "chartlayout.h"
#include "imagewriter.h"
#include "referencevalues.h"

namespace chartrender {

namespace {

// Linear level of the brightest patch channel (or of the perfect white, when no patch is
// brighter): headroom for light and noise, as a careful exposure leaves.
constexpr double kHighlight = 0.92;
// The black card the patches sit on.
constexpr double kCardLevel = 0.025;
constexpr double kMarkLevel = 0.65;
constexpr double kFeatureLevel = 0.15;
constexpr double kMarkLengthShare = 0.025;
constexpr double kMarkWidthShare = 0.004;

QColor linearColor(const Rgb& rgb, double exposure) {
    return QColor::fromRgbF(float(qBound(0.0, rgb[0] * exposure, 1.0)),
                            float(qBound(0.0, rgb[1] * exposure, 1.0)),
                            float(qBound(0.0, rgb[2] * exposure, 1.0)));
}

double exposureFor(const QList<Rgb>& colours) {
    double brightest = 1.0;
    for (const Rgb& c : colours)
        brightest = std::max({brightest, c[0], c[1], c[2]});
    return kHighlight / brightest;
}

QString checkOptions(const RenderOptions& o, const QString& format) {
    if (o.width < 64 || o.width > 20000)
        return QStringLiteral("width must be 64 to 20000 pixels");
    if (o.perspective < 0 || o.perspective > 0.6)
        return QStringLiteral("perspective must be 0 to 0.6");
    if (o.noise < 0 || o.blur < 0 || o.falloff < 0 || o.falloff > 0.5)
        return QStringLiteral("noise and blur must not be negative, falloff 0 to 0.5");
    if (o.gamma < 0.5 || o.gamma > 4)
        return QStringLiteral("gamma must be 0.5 to 4");
    if (o.bitsPerChannel != 8 && o.bitsPerChannel != 16)
        return QStringLiteral("bits per channel must be 8 or 16");
    if (format != u"tif" && format != u"png" && format != u"jpg")
        return QStringLiteral("unknown image format \"%1\"").arg(format);
    if (format == u"jpg" && o.bitsPerChannel != 8)
        return QStringLiteral("JPEG holds 8 bits per channel only");
    return QString();
}

QString formatOf(const RenderOptions& options, const QString& outPath) {
    QString format = options.format.isEmpty() ? QFileInfo(outPath).suffix() : options.format;
    format = format.toLower();
    if (format == u"tiff")
        return QStringLiteral("tif");
    if (format == u"jpeg")
        return QStringLiteral("jpg");
    return format;
}

// The patch colours as linear sensor RGB, from the reference or else the chart's EXPECTED.
bool patchColours(const ChartDefinition& chart, const ReferenceValues* reference,
                  const CameraModel& camera, QList<Rgb>* colours, QString* error) {
    for (const ChartBox& box : chart.samples()) {
        Xyz xyz;
        if (!(reference && reference->find(box.id, &xyz))) {
            const auto it = chart.expected().constFind(box.id);
            if (it == chart.expected().constEnd()) {
                *error = QStringLiteral("no colour for patch %1").arg(box.id);
                return false;
            }
            xyz = *it;
        }
        colours->append(camera.linear(xyz));
    }
    return true;
}

// The edges the chart's edge lists record that no patch or card side gives (printed logos,
// text, a hinge): scanin correlates against the full lists, so a capture without them matches
// worse. Neighbouring ticks become one band, a lone tick a thin line; each spans its tick's
// relative strength of the patch area, across its middle.
QList<QRectF> missingFeatures(const QList<ChartBox>& samples, const QRectF& card,
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

QString RenderInfo::fiducialArgument() const {
    QStringList parts;
    for (const QPointF& p : fiducials)
        parts << QString::number(p.x(), 'f', 2) << QString::number(p.y(), 'f', 2);
    return parts.join(u',');
}

bool renderChart(const RenderOptions& options, const QString& outPath, QString* error,
                 RenderInfo* info) {
    const QString format = formatOf(options, outPath);
    if (const QString problem = checkOptions(options, format); !problem.isEmpty()) {
        *error = problem;
        return false;
    }
    ChartDefinition chart;
    if (!chart.load(options.chtFile, error))
        return false;
    ReferenceValues reference;
    const bool hasReference = !options.referenceFile.isEmpty();
    if (hasReference && !reference.load(options.referenceFile, error))
        return false;
    QByteArray icc;
    if (!options.iccProfile.isEmpty()) {
        QFile file(options.iccProfile);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot open %1").arg(options.iccProfile);
            return false;
        }
        icc = file.readAll();
    }
    const CameraModel camera(options.gamma);
    QList<Rgb> colours;
    if (!patchColours(chart, hasReference ? &reference : nullptr, camera, &colours, error))
        return false;

    const ChartLayout layout = layoutChart(
        chart, {options.width, options.rotationDeg, options.perspective, options.portrait});
    QImage linear(layout.imageSize, QImage::Format_RGBA32FPx4);
    if (linear.isNull()) {
        *error = QStringLiteral("out of memory for a %1 x %2 image")
                     .arg(layout.imageSize.width())
                     .arg(layout.imageSize.height());
        return false;
    }
    std::mt19937 random(options.seed);
    fillSurround(&linear, &random);
    {
        QPainter painter(&linear);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setTransform(layout.toImage);
        const double exposure = exposureFor(colours);
        painter.setBrush(linearColor({kCardLevel, kCardLevel, kCardLevel * 1.05}, exposure));
        painter.drawRect(layout.card);
        const QList<ChartBox> samples = chart.samples();
        painter.setBrush(linearColor({kFeatureLevel, kFeatureLevel, kFeatureLevel}, exposure));
        for (const bool vertical : {true, false}) {
            for (const QRectF& r : missingFeatures(
                     samples, layout.card, vertical ? chart.xTicks() : chart.yTicks(), vertical))
                painter.drawRect(r);
        }
        for (qsizetype i = 0; i < samples.size(); ++i) {
            painter.setBrush(linearColor(colours[i], exposure));
            painter.drawRect(samples[i].rect);
        }
        if (options.fiducialMarks && chart.hasFiducials()) {
            painter.setBrush(linearColor({kMarkLevel, kMarkLevel, kMarkLevel}, exposure));
            paintFiducialMarks(&painter, chart, layout.card);
        }
    }
    applyLighting(&linear, options.falloff);
    gaussianBlur(&linear, options.blur);
    const QImage encoded =
        encodeImage(linear, camera, options.bitsPerChannel, options.noise, &random);
    linear = QImage();
    if (!saveImage(encoded, outPath, format, icc, error))
        return false;

    if (info) {
        *info = RenderInfo();
        info->imageSize = layout.imageSize;
        info->hasFiducials = chart.hasFiducials();
        for (int k = 0; k < 4; ++k)
            info->fiducials[k] = layout.toImage.map(chart.fiducials()[k]);
        info->patchCount = int(colours.size());
    }
    return true;
}

} // namespace chartrender

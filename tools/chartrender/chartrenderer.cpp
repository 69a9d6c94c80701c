#include "chartrenderer.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <random>

#include "cameramodel.h"
#include "capturefilters.h"
#include "chartlayout.h"
#include "charts/chartdefinition.h"
#include "charts/referencevalues.h"
#include "chartscene.h"
#include "imagewriter.h"

namespace chartrender {

namespace {

// Linear level of the brightest patch channel (or of the perfect white, when no patch is
// brighter): headroom for light and noise, as a careful exposure leaves.
constexpr double kHighlight = 0.92;

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
    const double exposure = exposureFor(colours);
    std::mt19937 random(options.seed);
    fillSurround(&linear, &random);
    paintChart(&linear, chart, layout, colours, exposure, options.fiducialMarks);
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
        const QList<ChartBox> samples = chart.samples();
        for (qsizetype i = 0; i < samples.size(); ++i) {
            RenderedPatch patch;
            patch.id = samples[i].id;
            patch.centre = layout.toImage.map(samples[i].rect.center());
            const double gain = lightingGain(layout.imageSize, patch.centre, options.falloff);
            for (int c = 0; c < 3; ++c)
                patch.device[c] = camera.encode(qBound(0.0, colours[i][c] * exposure, 1.0) * gain);
            info->patches.append(patch);
        }
    }
    return true;
}

} // namespace chartrender

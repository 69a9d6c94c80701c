#pragma once

#include <QList>
#include <QPointF>
#include <QSize>
#include <QString>

#include <array>

namespace chartrender {

// What to render: a synthetic camera capture of a chart described by an ArgyllCMS .cht file.
struct RenderOptions {
    QString chtFile;
    // CGATS reference with the patch colours; empty uses the chart's EXPECTED values.
    QString referenceFile;
    // Output width in pixels (after the portrait turn); the height follows the chart.
    int width = 1600;
    // Clockwise, degrees.
    double rotationDeg = 0;
    // Keystone amount, 0 (square-on) to 0.6.
    double perspective = 0;
    // The capture turned a quarter clockwise, as a camera held upright takes a landscape chart.
    bool portrait = false;
    // Standard deviation of the sensor noise, as a share of full scale.
    double noise = 0.004;
    // Lens softness, Gaussian sigma in pixels.
    double blur = 0.7;
    // Share of the light lost at the image corners.
    double falloff = 0.04;
    double gamma = 2.2;
    // 8 or 16 (16 only for TIFF and PNG).
    int bitsPerChannel = 8;
    // "tif", "png" or "jpg"; empty takes it from the output file's suffix.
    QString format;
    // ICC profile file to embed; empty embeds none.
    QString iccProfile;
    quint32 seed = 1;
    // Small corner marks at the chart's fiducial points where the card has no corner there.
    bool fiducialMarks = true;
};

// One patch as the capture shows it.
struct RenderedPatch {
    QString id;
    // Output pixels.
    QPointF centre;
    // The image's value at the centre without noise, 0..1 per channel (R, G, B).
    std::array<double, 3> device{};
};

// What was rendered, in output pixels.
struct RenderInfo {
    QSize imageSize;
    bool hasFiducials = false;
    // The chart's four fiducials in the chart's own order (its F line: top left, top right,
    // bottom right, bottom left of the chart), wherever rotation or the portrait turn put them.
    std::array<QPointF, 4> fiducials{};
    int patchCount = 0;
    QList<RenderedPatch> patches;

    // "x1,y1,...,x4,y4" with two decimals, as scanin -F takes it.
    QString fiducialArgument() const;
};

// Renders the capture and writes it to outPath. On failure returns false with the reason.
bool renderChart(const RenderOptions& options, const QString& outPath, QString* error,
                 RenderInfo* info = nullptr);

} // namespace chartrender

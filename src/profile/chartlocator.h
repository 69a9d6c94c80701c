#pragma once

#include <QList>
#include <QPointF>
#include <QString>

#include <array>

// Four points in the pixels of the image scanin reads.
using Quad = std::array<QPointF, 4>;

// A chart found in a photograph, before scanin reads it.
struct LocatedChart {
    enum Kind {
        // A ColorChecker-style block of 4 x 6 patches found by OpenCV's chart detector; the
        // corners are the block's outer corners at patches A1, A6, D6 and D1 of the chart in
        // the orientation its colours suggest.
        Block,
        // The largest grid of uniform patches; the corners run clockwise from the top left of
        // the image, the chart's orientation unknown.
        Region
    };
    Kind kind = Region;
    Quad corners{};
};

// The same corners clockwise on screen (y grows downwards), from the one nearest the image's
// top left.
Quad EnOrdenDeImagen(Quad corners);

// A small copy of the image for quick trial reads, and its scale against the image.
struct ProbeCopy {
    QString path; // where to write it (an 8-bit TIFF); empty: none is written
    double scale = 1.0;
    bool written = false;
};

// Looks for the chart in the image: the detector's block first (when `block` is asked for),
// then the patch region. An image that cannot be read gives nothing. With a probe path, the
// image is also written there reduced to at most kProbeSize pixels a side.
QList<LocatedChart> LocateChart(const QString& imagePath, bool block, ProbeCopy* probe = nullptr);

inline constexpr int kProbeSize = 1600;

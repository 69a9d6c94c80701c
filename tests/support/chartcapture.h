#pragma once

// Synthetic chart captures for tests: the installed ArgyllCMS chart definitions and references,
// and the capture settings that scanin reads automatically.

#include <QString>

#include "chartrenderer.h"

inline QString argyllRefFile(const QString& name) {
    return QStringLiteral("/usr/share/color/argyll/ref/") + name;
}

// A capture of a catalogue chart with its generic reference (<chart>.cht with <chart>.cie).
inline chartrender::RenderOptions chartCaptureOptions(const QString& chart, int width = 1400) {
    chartrender::RenderOptions options;
    options.chtFile = argyllRefFile(chart + QStringLiteral(".cht"));
    options.referenceFile = argyllRefFile(chart + QStringLiteral(".cie"));
    options.width = width;
    return options;
}

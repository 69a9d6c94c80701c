#pragma once

#include <QString>

// One patch of a profcheck report: its identifier and the absolute CIE76 total difference
// with its lightness, chroma and hue components, and the CIEDE2000 difference of the same
// two colours.
struct ErrorParche {
    QString id;
    double de = 0;
    double dl = 0;
    double dc = 0;
    double dh = 0;
    double de2000 = 0;
};

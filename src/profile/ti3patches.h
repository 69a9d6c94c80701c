#pragma once

#include "charts/xyz.h"

#include <QList>
#include <QString>

// One patch of a scanin TI3: the reference colour next to what scanin measured.
struct PatchReading {
    QString id;
    Xyz reference;               // XYZ, Y 0..100
    double rgb[3] = {0, 0, 0};   // device values, 0..100
    double stdev[3] = {0, 0, 0}; // spread of the patch's pixels, 0..100; zero when not given
};

// The patches of a TI3 with XYZ (or LAB) reference values and RGB readings; false with a reason
// when the file has no such table.
bool ReadTi3Patches(const QString& path, QList<PatchReading>* patches, QString* error);

#pragma once

#include "profile/ti3patches.h"

#include <QList>
#include <QString>

// A warning about the capture itself, found in the chart reading before the profile is made.
// Nothing is refused for it.
struct CaptureWarning {
    QString code; // stable, for scripts: "clipped-patches", "white-overexposed", ...
    QString text; // in the current language
};

// Patches with a channel at or near 0 or full scale; a white patch (the reference's lightest)
// read too bright or too dark; patches whose pixels vary far more than the others' (glare,
// dust, a shadow, a finger).
QList<CaptureWarning> CheckCapture(const QList<PatchReading>& patches);

#pragma once

#include "profile/ti3patches.h"

#include <QList>

// How well a chart reading fits its reference, whatever profile is made from it afterwards:
// the colours are fitted with a per-channel power curve and an affine 3x3 matrix (a crude
// camera model), and the error is the mean Delta E 1976 of that fit over the best 90 % of
// the patches. A correct read fits within a few Delta E even with a colour cast or clipping;
// a read that is turned or shifted pairs each reference with another patch's colour and
// cannot be fitted.
struct ReadFit {
    double error = 0.0;
    int patches = 0;
};

ReadFit FitRead(const QList<PatchReading>& patches);

// Fit error above which a reading is judged wrong. Right reads of rendered charts fit within
// 0.5, of real photographs (colour casts, glare, clipping) within 8; turned or shifted reads
// give 26 and more.
inline constexpr double kMaxPlausibleFitError = 15.0;
// Too few patches to judge: every such reading passes.
inline constexpr int kMinPatchesToJudge = 12;

bool PlausibleRead(const ReadFit& fit);

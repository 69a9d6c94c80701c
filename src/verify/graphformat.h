#pragma once

#include <QString>

// Numbers shown in the graph, in the user's locale (the default QLocale): `decimals` places
// rounded half away from zero; with optionalDecimals trailing zeros are dropped but the
// decimal separator stays ("0.#" writes 2 as "2.", 2.5 as "2.5"); otherwise all places are
// written ("0.0" writes 2 as "2.0").
QString FormatoDecimal(double value, int decimals, bool optionalDecimals);

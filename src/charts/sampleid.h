#pragma once

#include <QString>

// The key under which a patch id is matched between a chart and its reference: upper case,
// leading zeros of every number dropped, so the chart's "A1" finds the reference's "A01".
QString sampleKey(const QString& id);

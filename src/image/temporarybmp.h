#pragma once

#include <QString>

#include <cstdint>

// Milliseconds since system start as a signed 32-bit number (it wraps after about 24.8 days,
// so the text may carry a leading "-").
std::int32_t ContadorTicks();

// System temporary folder + prefix + tick count + ".bmp"; empty when there is no usable
// temporary folder.
QString RutaBmpTemporal(const QString& prefijo);

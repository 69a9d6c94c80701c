#pragma once

#include <QByteArray>
#include <QString>

// Text files written by older versions or by hand (settings, help topics, ICC text tags) may be
// in the old single-byte code page: decode as UTF-8 where the bytes are valid UTF-8, else as
// Windows-1252.
QString DecodificarTextoLegado(const QByteArray& bytes);

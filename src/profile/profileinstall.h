#pragma once

#include <QString>

// Writes the produced profile at the chosen path through a temporary file beside it that is
// renamed over the old file only once complete, so a profile already there is either replaced
// whole or left untouched (also when the file or its folder is read-only, or the disk is full).
// False with the reason in `error` on failure.
bool InstalarPerfil(const QString& producido, const QString& destino, QString& error);

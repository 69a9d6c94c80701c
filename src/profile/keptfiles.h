#pragma once

#include <QString>

class ActivityLog;

// The by-products a run keeps beside the profile or in the tmp folder. Failures are one log
// line each and give the empty text; they never fail the run.

// P0 + ".ti3" when the switch is on (P0: the profile path without its extension).
QString GuardarTi3JuntoPerfil(const QString& ti3, const QString& perfil, bool junto,
                              ActivityLog& log);
// P0 + "_scanin_diag.tif" when the switch is on, else "ultimo_scanin_diag.tif" in tmpFolder,
// so the last diagnostic image is always kept somewhere.
QString GuardarDiagJuntoPerfil(const QString& diag, const QString& perfil, bool junto,
                               const QString& tmpFolder, ActivityLog& log);

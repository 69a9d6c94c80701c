#pragma once

#include <QString>

class ActivityLog;

// The by-products a run keeps beside the profile or in the tmp folder. Each replaces an older
// file only with a complete copy. A copy beside the profile that fails gives the empty text
// and the reason in `error` (the run then fails); the tmp folder's copy only logs its failure.

// P0 + ".ti3" and P0 + "_scanin_diag.tif" (P0: the profile path without its extension,
// shortened when the name would not fit).
QString RutaTi3JuntoPerfil(const QString& perfil);
QString RutaDiagJuntoPerfil(const QString& perfil);

// The TI3 beside the profile when the switch is on, else "ultimo.ti3" in tmpFolder, so the
// verification graphs of the last profile are always one click away.
QString GuardarTi3JuntoPerfil(const QString& ti3, const QString& perfil, bool junto,
                              const QString& tmpFolder, ActivityLog& log, QString& error);
// The diagnostic image beside the profile when the switch is on, else "ultimo_scanin_diag.tif"
// in tmpFolder, so the last diagnostic image is always kept somewhere.
QString GuardarDiagJuntoPerfil(const QString& diag, const QString& perfil, bool junto,
                               const QString& tmpFolder, ActivityLog& log, QString& error);

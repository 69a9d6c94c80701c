#pragma once

#include "profile/fiducialmapping.h"
#include "shell/toolrunner.h"

#include <QString>
#include <QStringList>

#include <array>

class ActivityLog;

// The two scanin runs of the grid adjustment window: automatic recognition, and recognition
// with the four corners the user placed as fiducials.

// What the grid window works on, as the main window hands it over.
struct ParametrosAjuste {
    QString ImagenAjuste;         // the prepared image copied into the work folder
    QString ChtAjuste;            // full path of the chart's .cht
    QString NombreChtAjuste;      // the .cht file name: the chart's identity
    QString ReferenciaAjuste;     // reference file
    QString CarpetaTrabajoAjuste; // the work folder made for the window
    QStringList ArgGamma;         // {"-G", value}, or empty for gamma 2.2
    QStringList ArgPerspectiva;   // {"-p"} or empty
    QString ImagenOrigen;         // the main window's chart image the copy was made from
};

enum class ModoReconocimiento { Automatico, Manual };

// The diagnostic TIFF scanin writes into the work folder ("grid_auto_diag.tif" or
// "grid_manual_diag.tif"), and its copy's name in the tmp folder.
QString DiagnosticoTrabajo(const ParametrosAjuste& p, ModoReconocimiento modo);
QString NombreCopiaDiagnostico(ModoReconocimiento modo);

// scanin -v [-G g] [-p] -dion image chart reference diagnostic (automatic), or
// scanin -v [-G g] -F fiducials -dion image chart reference diagnostic (manual).
CommandLine ComandoReconocimiento(const QString& scanin, const ParametrosAjuste& p,
                                  ModoReconocimiento modo, const QString& fiduciales);

// The text of a message key of this run's mode: "msg.grid_auto_" or "msg.grid_manual_" + suffix
// ("running", "missing", "done", "rc").
QString TextoReconocimiento(ModoReconocimiento modo, const char* suffix);

struct ResultadoReconocimiento {
    bool correcto = false;
    int rc = -1;
    QString salida;      // scanin's console output
    QString diagnostico; // on success: the copy in the tmp folder, or the work file itself
    QString mensaje;     // on failure: what the window's info box shows
    QString fiduciales;  // manual: the corners as read, in the turn that was kept
};

// Runs scanin in the work folder (for the manual mode with the given fiducial list, turned until
// the reading fits the reference, else as given): logs the
// fiducials and the command line, then the output and, on failure, the exit code. On success
// the diagnostic is copied into the tmp folder under NombreCopiaDiagnostico (the work file is
// used when the copy fails). A stale diagnostic of an earlier run is removed first, so a run
// that writes none is never taken for a success.
ResultadoReconocimiento EjecutarReconocimiento(const QString& scanin, const QString& tmpFolder,
                                               const ParametrosAjuste& p, ModoReconocimiento modo,
                                               const QString& fiduciales, ActivityLog& log,
                                               const CancelToken* cancel = nullptr);

// "Diagnóstico de cuadrícula automático abierto: " (or "manual") + path.
QString LineaDiagnosticoAbierto(ModoReconocimiento modo, const QString& path);

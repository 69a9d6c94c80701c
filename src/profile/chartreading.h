#pragma once

#include "profile/creationinputs.h"
#include "profile/readplausibility.h"

#include <QString>

class ActivityLog;
class CancelToken;

// How the chart of a profile run was read.
enum class MetodoLectura {
    Automatico,  // scanin's own recognition
    Perspectiva, // scanin's recognition with perspective correction
    Manual,      // the corners the user placed
    Detectado,   // fiducials from the chart detector's 4 x 6 patch block
    Region       // fiducials from the largest grid of uniform patches
};
// "auto", "perspective", "manual", "detected", "region": for scripts, never translated.
QString CodigoMetodo(MetodoLectura metodo);

struct LecturaCarta {
    bool leida = false; // a reading was written to the TI3 path
    bool plausible = false;
    bool cancelada = false;
    MetodoLectura metodo = MetodoLectura::Automatico;
    QString fiduciales; // the -F list of the kept reading, empty for scanin's own recognition
    ReadFit ajuste;
    int intentos = 0;
    int rc = -1;    // exit code of the kept reading, else of the first attempt
    QString motivo; // when nothing was read: the first attempt's failure
    QString error;  // and scanin's error line for it
};

// Reads the chart of the work copy `imagen` into `ti3` (and its diagnostic into `diag`),
// cheapest attempt first, until a reading fits its reference (see FitRead): the stored manual
// corners in their four turns when they apply; else scanin's recognition, with perspective
// correction, then the fiducials of the chart found by the detector and of the patch region,
// each in its four turns. The first attempt's output streams into the log, every attempt
// gives one log line. When no reading fits, the best one is kept, flagged as not plausible;
// when none was made, the first attempt's diagnostic is kept.
LecturaCarta LeerCarta(const EntradaCreacion& in, const QString& referencia, const QString& imagen,
                       const QString& ti3, const QString& diag, const QString& carpetaTrabajo,
                       ActivityLog& log, const CancelToken* cancel = nullptr);

#pragma once

#include "shell/toolrunner.h"
#include "verify/toolwindowrun.h"

#include <QString>
#include <QStringList>

class ActivityLog;

// The options of a colverify run as the comparison window sets them.
struct OpcionesColVerify {
    bool detalle = false;     // "-v 2" instead of "-v"
    bool porPosicion = false; // "-l"
    bool de2000 = false;      // "-k"
    bool histograma = false;  // "-h"
    bool ordenar = false;     // "-s"
    bool blancoD50 = false;   // "-D"
    int normalizar = 0;       // 1..4: "-n", "-N", "-m", "-M"; anything else none
    int x3dom = 0;            // 1..3: "-w", "-W", "-d"; anything else none
    bool ejes = false;        // "-x", whatever the X3DOM choice
};

QStringList ArgumentosColVerify(const OpcionesColVerify& opciones);
// program, options, reference TI3, measured TI3; the display quotes the program and both paths.
CommandLine ComandoColVerify(const QString& program, const OpcionesColVerify& opciones,
                             const QString& referencia, const QString& medido);

using ResultadoColVerify = ResultadoHerramienta;

// Checks the inputs (each missing one is one log line and ends the run), runs colverify in the
// measured file's folder and logs the command line, the output, the exit code and, when an
// X3DOM view was asked for, where it is.
ResultadoColVerify CompararMediciones(const QString& referencia, const QString& medido,
                                      const OpcionesColVerify& opciones, ActivityLog& log,
                                      const CancelToken* cancel = nullptr);

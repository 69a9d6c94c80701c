#pragma once

#include "shell/toolrunner.h"
#include "verify/toolwindowrun.h"

#include <QString>
#include <QStringList>

class ActivityLog;

// The options of a profcheck run as the verification window sets them.
struct OpcionesProfcheck {
    bool detalle = true;  // "-v2" (one line per patch) instead of "-v"
    bool ordenar = false; // "-s"
    int intento = 0;      // 1: relative "-Ir"; anything else absolute "-Ia"
    QString poda;         // typed delta E limit for a pruned TI3 ("-P"); blank means none
};

// The option arguments: -v2|-v, [-s], -Ir|-Ia, [-P value] with the value trimmed and "," read
// as ".".
QStringList ArgumentosProfcheck(const OpcionesProfcheck& opciones);
// program, options, TI3, profile; the display quotes the program and both paths.
CommandLine ComandoProfcheck(const QString& program, const OpcionesProfcheck& opciones,
                             const QString& ti3, const QString& perfil);

struct ResultadoProfcheck : ResultadoHerramienta {
    QString resumen; // ResumirProfcheck of the output
};

// Checks the inputs (each missing one is one log line and ends the run), runs profcheck in the
// profile's folder and logs the command line, the summary, the output and the exit code.
ResultadoProfcheck VerificarPerfil(const QString& ti3, const QString& perfil,
                                   const OpcionesProfcheck& opciones, ActivityLog& log,
                                   const CancelToken* cancel = nullptr);

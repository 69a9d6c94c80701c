#pragma once

#include "profile/creationinputs.h"
#include "shell/toolrunner.h"

#include <QString>
#include <QStringList>

// The scanin and colprof invocations of a profile run.

// scanin -v [-G g] <grid> -d<flags> image chart reference diagnostic; the grid arguments are
// empty (automatic recognition), "-p", or "-F corners". The diagnostic shows the sample boxes
// scanin took with their names and, for its own recognition, the edges it found (-dihvgon;
// -dion with fiducials).
CommandLine ComandoScanin(const EntradaCreacion& in, const QString& referencia,
                          const QStringList& cuadricula, const QString& imagen,
                          const QString& diagnostico);

struct ComandoColprof {
    CommandLine command;
    QStringList avisos; // range warnings of the white point and dark-area adjustments
};
// colprof -v -A.. -M.. -D.. -C.. -q. -a. -Z. [white point] [-V v] base, the white point
// spelled for the given ArgyllCMS major version.
ComandoColprof ConstruirComandoColprof(const EntradaCreacion& in, int argyllMajorVersion,
                                       const QString& base);

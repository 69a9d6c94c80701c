#pragma once

#include "shell/toolrunner.h"

#include <QString>
#include <QStringList>

// The manual scanin window's options and its scanin command line.

// Corners as typed: trimmed, blanks removed, ";" read as ",".
QString NormalizarEsquinas(const QString& typed);
// Diagnostic flag letters as typed: trimmed, blanks and tabs removed, lower case.
QString NormalizarBanderasDiag(const QString& typed);

// Position of the handed-over gamma in ListaGammas: the item of equal value (to three decimals,
// so 1 finds "1.0"), else "2.2", else 0.
int IndiceGammaScaninDiag(double gamma);

struct OpcionesScaninDiag {
    QString gamma = QStringLiteral("2.2"); // selected gamma item; 2.2 adds no option
    bool perspectiva = false;              // "-p"
    bool orientacion = false;              // "-a"
    bool media = false;                    // "-m"
    QString banderas;                      // typed diagnostic flags, "-d<flags>"
    QString esquinas;                      // typed corners, "-F <corners>"
};

// scanin -v [-G g] [-p] [-a] [-m] [-d<flags>] [-F corners] image chart reference
CommandLine ComandoScaninDiag(const QString& program, const OpcionesScaninDiag& opciones,
                              const QString& imagen, const QString& carta,
                              const QString& referencia);

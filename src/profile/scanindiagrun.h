#pragma once

#include "profile/scanindiagoptions.h"

#include <QString>

class ActivityLog;

// One run of the manual scanin window, from its inputs to the saved TI3.
struct EntradaScaninDiag {
    QString imagen;             // chart image (any format FreeImage reads)
    QString carta;              // .cht of the selected chart
    QString referenciaPropia;   // custom reference; used when not empty, without further test
    QString referenciaGenerica; // the selected generic reference, used when it exists
    QString destinoTi3;         // where the TI3 is saved
    QString carpetaTmp;
    OpcionesScaninDiag opciones;
};

struct ResultadoScaninDiag {
    bool exito = false;     // the TI3 was saved at destinoTi3
    QString carpetaTrabajo; // the run's work folder, empty when none was made
};

// The effective reference: the custom one when given, else the generic one when that file
// exists, else empty.
QString ReferenciaScaninDiag(const QString& propia, const QString& generica);

// Checks the inputs, converts the image to TIFF if needed, runs scanin on a copy in a fresh
// work folder and saves the TI3 at the destination, replacing an old file only once the new
// one is complete. With diagnostic flags the diagnostic image is kept beside the TI3 destination
// (or in the tmp folder), also after a failed scanin, and its place logged. Every failure is
// one log line; a failed run keeps its work folder (logged).
// The converted TIFF is deleted at the end; the work folder of a successful run is left to the
// caller's question.
ResultadoScaninDiag EjecutarScaninDiag(const EntradaScaninDiag& in, ActivityLog& log,
                                       const CancelToken* cancel = nullptr);

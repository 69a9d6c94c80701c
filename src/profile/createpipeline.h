#pragma once

#include "profile/chartreading.h"
#include "profile/creationinputs.h"
#include "profile/resultsummary.h"

#include <QString>

#include <optional>

class ActivityLog;
class CancelToken;
class InterlocutorCreacion;

// How a profile run ended.
enum class FinCreacion { Correcto, Fallido, Cancelado };

// The step a run reached (where a failed run stopped): the destination check, the image's
// preparation, the chart's reading, colprof, the profile's installation, the files kept beside
// it.
enum class PasoCreacion { Destino, Preparacion, Lectura, Calculo, Guardado, Resultados };

struct EjecucionCreacion {
    FinCreacion fin = FinCreacion::Fallido;
    PasoCreacion paso = PasoCreacion::Destino;
    ResultadoCreacion resultado; // set when a profile was written
    QString carpetaTrabajo;      // the run's work folder, or empty
    qint64 msHerramientas = 0;   // time spent in scanin, colprof and profcheck
    // Exit codes of the tools that ran; unset for a tool the run did not reach.
    std::optional<int> rcScanin;
    std::optional<int> rcColprof;
    std::optional<int> rcProfcheck;
    QString motivo;           // the log line that ended a failed or cancelled run
    LecturaCarta lectura;     // how the chart was read
    QString diagnosticoFallo; // the kept diagnostic of a reading that failed, or empty
    QString lineaHerramienta; // the error line of the last tool when it failed
};

// The profile run after the input check and the save dialog: prepares the TIFF, runs scanin
// and colprof in a fresh work folder, writes the profile to in.destino (replacing an older
// file only with a complete new one), keeps and verifies the results, and always ends in the
// clean-up step. Every step is logged; `cancel` stops the running tool and ends the run
// without writing a profile.
EjecucionCreacion CrearPerfil(const EntradaCreacion& in, const QString& referencia,
                              ActivityLog& log, InterlocutorCreacion& frontEnd,
                              const CancelToken* cancel = nullptr);

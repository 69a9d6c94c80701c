#pragma once

#include "profile/resultsummary.h"

#include <QString>

// What a profile run needs from its front end (the main window or a command line) besides
// the activity log: answers to its questions and the hand-over of its results.
class InterlocutorCreacion {
public:
    virtual ~InterlocutorCreacion() = default;
    // An adjustment out of range: the run goes on with the default after this warning.
    virtual void Avisar(const QString& text) = 0;
    // Records the results as the last ones (state, Results menu, settings).
    virtual void RegistrarResultados(const ResultadoCreacion& r) = 0;
    // The results summary, with the offer to open the profile's folder.
    virtual void MostrarResumenResultados(const ResultadoCreacion& r) = 0;
    // The reading still did not fit its reference after every attempt: the profile was
    // written, but the user must look at the chart's grid (r.avisoLectura says why).
    virtual void AvisarLecturaSospechosa(const ResultadoCreacion& r) = 0;
    // No attempt could read the chart; `diagnostico` is the kept diagnostic image, or empty.
    virtual void MostrarDiagnosticoFallido(const QString& diagnostico) = 0;
    // The verification of the new profile, after the summary.
    virtual void AbrirVerificacionAuto(const ResultadoCreacion& r) = 0;
    // Whether to delete the work folder of a successful run now.
    virtual bool PreguntarBorrarCarpeta(const QString& folder) = 0;
};

#pragma once

#include "profile/creationfrontend.h"

class ToolJob;

// The front end of a profile run on a worker thread: each call runs on the job's thread (the
// UI's), against `destino`, while the worker waits. A job destroyed meanwhile answers no.
class InterlocutorEnHiloPrincipal : public InterlocutorCreacion {
public:
    InterlocutorEnHiloPrincipal(InterlocutorCreacion& destino, ToolJob& job)
        : destino_(destino), job_(job) {}

    void Avisar(const QString& text) override;
    void RegistrarResultados(const ResultadoCreacion& r) override;
    void MostrarResumenResultados(const ResultadoCreacion& r) override;
    void AvisarLecturaSospechosa(const ResultadoCreacion& r) override;
    void MostrarDiagnosticoFallido(const QString& diagnostico) override;
    void AbrirVerificacionAuto(const ResultadoCreacion& r) override;
    bool PreguntarBorrarCarpeta(const QString& folder) override;

private:
    InterlocutorCreacion& destino_;
    ToolJob& job_;
};

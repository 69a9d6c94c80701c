#pragma once

#include "profile/creationfrontend.h"

class ActivityLog;

// The profile run's questions answered for the command line: warnings go to the log, the
// summary is logged as the main window logs it (without its question to open the folder, and
// naming a diagnostic image only when it is kept beside the profile), no
// window opens, nothing is recorded (the settings file is neither read nor written), and the
// work folder of a successful run is deleted unless it is to be kept.
class InterlocutorConsola : public InterlocutorCreacion {
public:
    InterlocutorConsola(ActivityLog& log, bool conservarTrabajo, bool guardarTi3, bool guardarDiag);

    void Avisar(const QString& text) override;
    void RegistrarResultados(const ResultadoCreacion&) override {}
    void MostrarResumenResultados(const ResultadoCreacion& r) override;
    void AvisarLecturaSospechosa(const ResultadoCreacion&) override {}
    void MostrarDiagnosticoFallido(const QString&) override {}
    void AbrirVerificacionAuto(const ResultadoCreacion&) override {}
    bool PreguntarBorrarCarpeta(const QString&) override { return !conservarTrabajo_; }

private:
    ActivityLog& log_;
    const bool conservarTrabajo_;
    const bool guardarTi3_;
    const bool guardarDiag_;
};

#pragma once

#include <QString>

#include <optional>

class ActivityLog;
class CancelToken;

// The automatic profcheck run after each Create.
struct VerificacionAuto {
    QString resumen; // ResumirProfcheck line, empty when profcheck did not run or said nothing
    QString salida;  // captured output (SalidaVerificacionAuto)
    std::optional<int> rc; // profcheck's exit code; unset when it did not run
    // CIEDE2000 average and maximum of the patches the report lists; unset when it lists none.
    std::optional<double> media2000;
    std::optional<double> maximo2000;
};

// profcheck -v2 -Ir <ti3> <profile> in workFolder, its output streamed into the log; an
// empty profcheck path means the tool is missing. Logs the summary and the exit code, then
// reads the CIEDE2000 figures of the same check.
VerificacionAuto VerificarPerfilAuto(const QString& profcheck, const QString& ti3,
                                     const QString& perfil, const QString& workFolder,
                                     ActivityLog& log, const CancelToken* cancel = nullptr);

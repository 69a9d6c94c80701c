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
};

// profcheck -v2 -Ir <ti3> <profile> in workFolder, its output streamed into the log; an
// empty profcheck path means the tool is missing. Logs the summary and the exit code.
VerificacionAuto VerificarPerfilAuto(const QString& profcheck, const QString& ti3,
                                     const QString& perfil, const QString& workFolder,
                                     ActivityLog& log, const CancelToken* cancel = nullptr);

// Average Delta E (relative intent) above which a chart is taken as misread. Clean captures
// of every generic-reference chart stay well below it, a chart read one patch off goes far
// beyond it.
inline constexpr double kMediaLecturaErronea = 20.0;

// The warning that the chart was probably misread, when the average error of the patches in
// the profcheck output exceeds kMediaLecturaErronea; else the empty text.
QString AvisoLecturaErronea(const QString& salidaProfcheck);

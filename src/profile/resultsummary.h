#pragma once

#include "profile/capturechecks.h"

#include <QList>
#include <QString>

#include <optional>

// What one successful run produced, as recorded in the main window state.
struct ResultadoCreacion {
    QString perfil;             // UltimoPerfil
    QString ti3;                // kept TI3 beside the profile, or empty
    QString ti3Ultimo;          // else the run's TI3 kept in the tmp folder, or empty
    QString diagnostico;        // UltimoDiagnostico (kept diagnostic image or empty)
    QString verificacion;       // UltimaVerificacion (profcheck summary or empty)
    QString salidaVerificacion; // SalidaVerificacionAuto (not persisted)
    QString avisoLectura;       // misread-chart warning or empty
    QList<CaptureWarning> avisosCaptura;
    std::optional<double> media2000; // CIEDE2000 average and maximum of the verification
    std::optional<double> maximo2000;
};

// The message of the results summary box (lines joined by "\n"), ending with the question
// whether to open the profile's folder. The switches say whether a missing TI3 or diagnostic
// was asked for.
QString TextoResumenResultados(const ResultadoCreacion& r, bool guardarTi3, bool guardarDiag);
// "Resumen operador: " + the message on one line, line breaks written " | ".
QString LineaLogResumen(const QString& message);

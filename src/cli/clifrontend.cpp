#include "cli/clifrontend.h"

#include "profile/resultsummary.h"
#include "shell/activitylog.h"

InterlocutorConsola::InterlocutorConsola(ActivityLog& log, bool conservarTrabajo, bool guardarTi3,
                                         bool guardarDiag)
    : log_(log), conservarTrabajo_(conservarTrabajo), guardarTi3_(guardarTi3),
      guardarDiag_(guardarDiag) {}

void InterlocutorConsola::Avisar(const QString& text) {
    log_.LogMsg(text);
}

void InterlocutorConsola::MostrarResumenResultados(const ResultadoCreacion& r) {
    // A diagnostic image not kept beside the profile stays in the run's temporary folder,
    // which the command removes at its end: not offered.
    ResultadoCreacion mostrado = r;
    if (!guardarDiag_)
        mostrado.diagnostico.clear();
    QString message = TextoResumenResultados(mostrado, guardarTi3_, guardarDiag_);
    // The last line asks whether to open the folder, which a command line does not do.
    const qsizetype pregunta = message.lastIndexOf(QLatin1Char('\n'));
    if (pregunta >= 0)
        message.truncate(pregunta);
    while (message.endsWith(QLatin1Char('\n')))
        message.chop(1);
    log_.LogMsg(LineaLogResumen(message));
}

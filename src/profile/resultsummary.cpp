#include "profile/resultsummary.h"

#include "lang/texto.h"

QString TextoResumenResultados(const ResultadoCreacion& r, bool guardarTi3, bool guardarDiag) {
    QString m = Texto(QStringLiteral("summary.created")).arg(r.perfil);
    if (!r.ti3.isEmpty()) {
        m += Texto(QStringLiteral("summary.ti3"));
    } else if (guardarTi3) {
        m += Texto(QStringLiteral("summary.ti3_failed"));
    }
    if (!r.diagnostico.isEmpty()) {
        m += Texto(QStringLiteral("summary.diag"));
    } else if (guardarDiag) {
        m += Texto(QStringLiteral("summary.diag_failed"));
    }
    if (!r.verificacion.isEmpty()) {
        m += QLatin1Char('\n') + r.verificacion + QLatin1Char('\n');
    }
    if (r.media2000 && r.maximo2000) {
        m += Texto(QStringLiteral("verify.de2000_line"))
                 .arg(*r.media2000, 0, 'f', 2)
                 .arg(*r.maximo2000, 0, 'f', 2) +
             QLatin1Char('\n');
    }
    // The verification window opens on another intent by default and shows other figures.
    if (!r.verificacion.isEmpty()) {
        m += Texto(QStringLiteral("verify.intent_note")) + QLatin1Char('\n');
    }
    if (!r.avisoLectura.isEmpty()) {
        m += QLatin1Char('\n') + r.avisoLectura + QLatin1Char('\n');
    }
    for (const CaptureWarning& w : r.avisosCaptura) {
        m += QLatin1Char('\n') + w.text;
    }
    if (!r.avisosCaptura.isEmpty()) {
        m += QLatin1Char('\n');
    }
    m += Texto(QStringLiteral("summary.open_folder"));
    return m;
}

QString LineaLogResumen(const QString& message) {
    QString line = message;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" | "));
    line.replace(QLatin1Char('\n'), QStringLiteral(" | "));
    return Texto(QStringLiteral("summary.log_line")) + line;
}

#include "profile/failuremessage.h"

#include "lang/texto.h"
#include "profile/createpipeline.h"

namespace {

// The key suffix of the step a failed run stopped at, from the tools it reached.
QString Paso(const EjecucionCreacion& run) {
    if (!run.rcScanin)
        return QStringLiteral("prepare");
    if (!run.lectura.leida)
        return QStringLiteral("read");
    // colprof ended well, so the profile was made but could not replace the destination.
    return run.rcColprof == 0 ? QStringLiteral("save") : QStringLiteral("colprof");
}

} // namespace

QString TextoFalloCreacion(const EjecucionCreacion& run) {
    const QString paso = Paso(run);
    QString consejo = paso;
    if (paso == QLatin1String("read") && !run.diagnosticoFallo.isEmpty())
        consejo = QStringLiteral("read_diag");
    return Texto(QStringLiteral("fail.message"))
        .arg(Texto(QStringLiteral("fail.step.") + paso),
             Texto(QStringLiteral("fail.reason.") + paso), run.motivo.trimmed(),
             Texto(QStringLiteral("fail.try.") + consejo));
}

QString UltimasLineas(const QString& log, int count) {
    QStringList lines = log.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines.mid(qMax(0, lines.size() - count)).join(QLatin1Char('\n'));
}

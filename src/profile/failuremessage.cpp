#include "profile/failuremessage.h"

#include "lang/texto.h"
#include "profile/createpipeline.h"

namespace {

// The key suffix of the step a failed run stopped at.
QString Paso(PasoCreacion paso) {
    switch (paso) {
    case PasoCreacion::Destino:
        return QStringLiteral("destination");
    case PasoCreacion::Preparacion:
        return QStringLiteral("prepare");
    case PasoCreacion::Lectura:
        return QStringLiteral("read");
    case PasoCreacion::Calculo:
        return QStringLiteral("colprof");
    case PasoCreacion::Guardado:
        return QStringLiteral("save");
    case PasoCreacion::Resultados:
        break;
    }
    return QStringLiteral("results");
}

} // namespace

QString TextoFalloCreacion(const EjecucionCreacion& run) {
    const QString paso = Paso(run.paso);
    QString consejo = paso;
    if (run.paso == PasoCreacion::Lectura && !run.diagnosticoFallo.isEmpty())
        consejo = QStringLiteral("read_diag");
    // The tool's own error line says most, when the log line does not hold it yet.
    QString detalle = run.motivo.trimmed();
    if (!run.lineaHerramienta.isEmpty() && !detalle.contains(run.lineaHerramienta))
        detalle += QStringLiteral(": ") + run.lineaHerramienta;
    return Texto(QStringLiteral("fail.message"))
        .arg(Texto(QStringLiteral("fail.step.") + paso),
             Texto(QStringLiteral("fail.reason.") + paso), detalle,
             Texto(QStringLiteral("fail.try.") + consejo));
}

QString UltimasLineas(const QString& log, int count) {
    QStringList lines = log.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines.mid(qMax(0, lines.size() - count)).join(QLatin1Char('\n'));
}

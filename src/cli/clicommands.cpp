#include "cli/clicommands.h"

#include "cli/consola.h"
#include "cli/helptexts.h"

int ErrorUso(Consola& consola, const QString& comando, const QString& message) {
    consola.Error(QStringLiteral("%1 %2: %3\n").arg(kProgramaCli, comando, message) +
                  PistaAyuda(comando));
    return SalidaUso;
}

int EjecutarLineaComandos(const QStringList& args, Consola& consola, const CancelToken& cancel) {
    if (args.isEmpty()) {
        consola.Error(AyudaGeneral());
        return SalidaUso;
    }
    const QString comando = args.first();
    const QStringList resto = args.mid(1);
    if (comando == QLatin1String("--help") || comando == QLatin1String("-h") ||
        comando == QLatin1String("help")) {
        consola.Resultado(AyudaGeneral());
        return SalidaCorrecta;
    }
    if (comando == QLatin1String("create"))
        return ComandoCreate(resto, consola, cancel);
    if (comando == QLatin1String("charts"))
        return ComandoCharts(resto, consola);
    if (comando == QLatin1String("verify"))
        return ComandoVerify(resto, consola, cancel);
    if (comando == QLatin1String("compare"))
        return ComandoCompare(resto, consola, cancel);
    consola.Error(
        QStringLiteral("%1: unknown command '%2'\nTry '%1 --help'.\n").arg(kProgramaCli, comando));
    return SalidaUso;
}

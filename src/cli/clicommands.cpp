#include "cli/clicommands.h"

#include "cli/cliargs.h"

#include "cli/consola.h"
#include "cli/helptexts.h"
#include "lang/texto.h"
#include "profile/createvalidation.h"
#include "shell/toolrunner.h"

int ErrorUso(Consola& consola, const QString& comando, const QString& message) {
    consola.Error(QStringLiteral("%1 %2: %3\n").arg(kProgramaCli, comando, message) +
                  PistaAyuda(comando));
    return SalidaUso;
}

namespace {

// Takes "--language CODE" (or "--language=CODE") out of the arguments, wherever it stands; it
// overrides the language the program took from the locale. False for an unknown code.
bool TomarIdioma(QStringList& args, Consola& consola) {
    const QString opcion = QStringLiteral("--language");
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString codigo;
        if (args.at(i) == opcion && i + 1 < args.size()) {
            codigo = args.takeAt(i + 1);
        } else if (args.at(i).startsWith(opcion + QLatin1Char('='))) {
            codigo = args.at(i).mid(opcion.size() + 1);
        } else {
            continue;
        }
        args.removeAt(i);
        if (!QStringList{"es", "en", "fr", "it"}.contains(codigo)) {
            consola.Error(Texto(QStringLiteral("cli.bad_language")).arg(kProgramaCli, codigo));
            return false;
        }
        EstablecerIdiomaActual(NumeroIdioma(codigo));
        --i;
    }
    return true;
}

} // namespace

int EjecutarLineaComandos(const QStringList& argumentos, Consola& consola,
                          const CancelToken& cancel) {
    QStringList args = argumentos;
    if (!TomarIdioma(args, consola))
        return SalidaUso;
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
    consola.Error(Texto(QStringLiteral("cli.unknown_command")).arg(kProgramaCli, comando));
    return SalidaUso;
}

QString PrepararHerramienta(const ArgumentosCli& args, const QString& tool) {
    int limite = 0;
    QString error;
    if (!LeerLimiteHerramientas(args, limite, error))
        return error;
    FijarLimiteHerramientas(limite);
    return FaltaHerramienta(tool);
}

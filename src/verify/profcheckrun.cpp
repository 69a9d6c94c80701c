#include "verify/profcheckrun.h"

#include "shell/activitylog.h"
#include "shell/appfolders.h"
#include "shell/commandline.h"
#include "verify/profcheckreport.h"
#include "verify/reporttext.h"
#include "verify/toolcommand.h"

QStringList ArgumentosProfcheck(const OpcionesProfcheck& opciones) {
    QStringList args;
    args << (opciones.detalle ? QStringLiteral("-v2") : QStringLiteral("-v"));
    if (opciones.ordenar)
        args << QStringLiteral("-s");
    args << (opciones.intento == 1 ? QStringLiteral("-Ir") : QStringLiteral("-Ia"));
    const QString poda = RecortarBlancos(opciones.poda).replace(QLatin1Char(','), QLatin1Char('.'));
    if (!poda.isEmpty())
        args << QStringLiteral("-P") << poda;
    return args;
}

CommandLine ComandoProfcheck(const QString& program, const OpcionesProfcheck& opciones,
                             const QString& ti3, const QString& perfil) {
    CommandLineBuilder builder(program);
    for (const QString& arg : ArgumentosProfcheck(opciones))
        builder.add(arg);
    builder.addPath(ti3).addPath(perfil);
    return builder.build();
}

ResultadoProfcheck VerificarPerfil(const QString& ti3, const QString& perfil,
                                   const OpcionesProfcheck& opciones, ActivityLog& log,
                                   const CancelToken* cancel) {
    ResultadoProfcheck result;
    if (ti3.isEmpty()) {
        log.LogMsg(QStringLiteral("Falta fichero TI3."));
        return result;
    }
    if (perfil.isEmpty()) {
        log.LogMsg(QStringLiteral("Falta perfil ICC/ICM."));
        return result;
    }
    if (!ExisteFichero(ti3)) {
        log.LogMsg(QStringLiteral("No existe TI3: ") + ti3);
        return result;
    }
    if (!ExisteFichero(perfil)) {
        log.LogMsg(QStringLiteral("No existe perfil: ") + perfil);
        return result;
    }
    const QString folder = CarpetaDeFichero(perfil, Carpetas().programFolder);
    const CommandLine command =
        ComandoProfcheck(ProgramaArgyll(QStringLiteral("profcheck")), opciones, ti3, perfil);
    log.LogMsg(QStringLiteral("profcheck: ") + command.display);
    result.ejecutado = true;
    result.rc = EjecutarYLeerSalida(command, folder, result.salida, cancel);
    result.resumen = ResumirProfcheck(result.salida);
    if (!result.resumen.isEmpty())
        log.LogMsg(result.resumen);
    if (!result.salida.isEmpty())
        log.LogMsg(result.salida);
    log.LogMsg(QStringLiteral("profcheck rc=") + QString::number(result.rc));
    return result;
}

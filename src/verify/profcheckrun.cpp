#include "verify/profcheckrun.h"

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
    const ResultadoHerramienta run = EjecutarHerramientaVentana(
        QStringLiteral("profcheck"),
        {{ti3, QStringLiteral("Falta fichero TI3."), QStringLiteral("No existe TI3: ")},
         {perfil, QStringLiteral("Falta perfil ICC/ICM."), QStringLiteral("No existe perfil: ")}},
        ComandoProfcheck(ProgramaArgyll(QStringLiteral("profcheck")), opciones, ti3, perfil),
        CarpetaDeFichero(perfil, Carpetas().programFolder), log, cancel, ResumirProfcheck);
    return {run, ResumirProfcheck(run.salida)};
}

#include "verify/colverifyrun.h"

#include "shell/activitylog.h"
#include "shell/appfolders.h"
#include "shell/commandline.h"
#include "verify/toolcommand.h"

QStringList ArgumentosColVerify(const OpcionesColVerify& opciones) {
    QStringList args;
    if (opciones.detalle)
        args << QStringLiteral("-v") << QStringLiteral("2");
    else
        args << QStringLiteral("-v");
    if (opciones.porPosicion)
        args << QStringLiteral("-l");
    if (opciones.de2000)
        args << QStringLiteral("-k");
    if (opciones.histograma)
        args << QStringLiteral("-h");
    if (opciones.ordenar)
        args << QStringLiteral("-s");
    if (opciones.blancoD50)
        args << QStringLiteral("-D");
    static const QStringList normalizar{"", "-n", "-N", "-m", "-M"};
    if (opciones.normalizar > 0 && opciones.normalizar < normalizar.size())
        args << normalizar[opciones.normalizar];
    static const QStringList x3dom{"", "-w", "-W", "-d"};
    if (opciones.x3dom > 0 && opciones.x3dom < x3dom.size())
        args << x3dom[opciones.x3dom];
    if (opciones.ejes)
        args << QStringLiteral("-x");
    return args;
}

CommandLine ComandoColVerify(const QString& program, const OpcionesColVerify& opciones,
                             const QString& referencia, const QString& medido) {
    CommandLineBuilder builder(program);
    for (const QString& arg : ArgumentosColVerify(opciones))
        builder.add(arg);
    builder.addPath(referencia).addPath(medido);
    return builder.build();
}

ResultadoColVerify CompararMediciones(const QString& referencia, const QString& medido,
                                      const OpcionesColVerify& opciones, ActivityLog& log,
                                      const CancelToken* cancel) {
    ResultadoColVerify result;
    if (referencia.isEmpty()) {
        log.LogMsg(QStringLiteral("Falta TI3 de referencia."));
        return result;
    }
    if (medido.isEmpty()) {
        log.LogMsg(QStringLiteral("Falta TI3 medido."));
        return result;
    }
    if (!ExisteFichero(referencia)) {
        log.LogMsg(QStringLiteral("No existe TI3 de referencia: ") + referencia);
        return result;
    }
    if (!ExisteFichero(medido)) {
        log.LogMsg(QStringLiteral("No existe TI3 medido: ") + medido);
        return result;
    }
    const QString folder = CarpetaDeFichero(medido, Carpetas().programFolder);
    const CommandLine command =
        ComandoColVerify(ProgramaArgyll(QStringLiteral("colverify")), opciones, referencia, medido);
    log.LogMsg(QStringLiteral("colverify: ") + command.display);
    result.ejecutado = true;
    result.rc = EjecutarYLeerSalida(command, folder, result.salida, cancel);
    if (!result.salida.isEmpty())
        log.LogMsg(result.salida);
    log.LogMsg(QStringLiteral("colverify rc=") + QString::number(result.rc));
    if (opciones.x3dom > 0)
        log.LogMsg(QStringLiteral("Si se creó X3DOM, estará junto al TI3 medido."));
    return result;
}

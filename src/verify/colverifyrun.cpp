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
    const ResultadoColVerify result = EjecutarHerramientaVentana(
        QStringLiteral("colverify"),
        {{referencia, QStringLiteral("Falta TI3 de referencia."),
          QStringLiteral("No existe TI3 de referencia: ")},
         {medido, QStringLiteral("Falta TI3 medido."), QStringLiteral("No existe TI3 medido: ")}},
        ComandoColVerify(ProgramaArgyll(QStringLiteral("colverify")), opciones, referencia, medido),
        CarpetaDeFichero(medido, Carpetas().programFolder), log, cancel);
    if (result.ejecutado && opciones.x3dom > 0)
        log.LogMsg(QStringLiteral("Si se creó X3DOM, estará junto al TI3 medido."));
    return result;
}

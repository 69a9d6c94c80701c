#include "profile/autoverify.h"

#include "shell/activitylog.h"
#include "shell/paths.h"
#include "shell/toolrunner.h"
#include "verify/profcheckreport.h"

#include <QFile>

VerificacionAuto VerificarPerfilAuto(const QString& profcheck, const QString& ti3,
                                     const QString& perfil, const QString& workFolder,
                                     ActivityLog& log, const CancelToken* cancel) {
    VerificacionAuto result;
    if (profcheck.isEmpty() || !QFile::exists(profcheck)) {
        log.LogMsg(QStringLiteral("No se ejecuta profcheck automático: falta ") +
                   (profcheck.isEmpty() ? QStringLiteral("profcheck") : profcheck));
        return result;
    }
    if (!QFile::exists(ti3)) {
        log.LogMsg(QStringLiteral("No se ejecuta profcheck automático: falta TI3: ") + ti3);
        return result;
    }
    if (!QFile::exists(perfil)) {
        log.LogMsg(QStringLiteral("No se ejecuta profcheck automático: falta perfil: ") + perfil);
        return result;
    }
    CommandLine command;
    command.program = profcheck;
    command.arguments = {QStringLiteral("-v2"), QStringLiteral("-Ir"), ti3, perfil};
    command.display = Entrecomillar(profcheck) + QStringLiteral(" -v2 -Ir ") + Entrecomillar(ti3) +
                      QLatin1Char(' ') + Entrecomillar(perfil);
    log.LogMsg(QStringLiteral("profcheck automático: ") + command.display);
    const int rc = EjecutarCapturando(command, workFolder, result.salida, log, cancel);
    result.rc = rc;
    result.resumen = ResumirProfcheck(result.salida);
    if (!result.resumen.isEmpty()) {
        log.LogMsg(result.resumen);
    }
    log.LogMsg(QStringLiteral("profcheck rc=") + QString::number(rc));
    return result;
}

QString AvisoLecturaErronea(const QString& salidaProfcheck) {
    QList<ErrorParche> errores;
    if (!LeerDetalleProfcheck(salidaProfcheck, errores)) {
        return QString();
    }
    double suma = 0.0;
    for (const ErrorParche& e : errores) {
        suma += e.de;
    }
    const double media = suma / errores.size();
    if (media <= kMediaLecturaErronea) {
        return QString();
    }
    return QStringLiteral("Aviso: la verificación da un error medio de Delta E %1, muy por encima "
                          "del de una carta bien leída; probablemente scanin leyó mal la carta "
                          "(desplazada o girada). Revisa la imagen de diagnóstico y ajusta la "
                          "cuadrícula antes de usar este perfil.")
        .arg(media, 0, 'f', 2);
}

#include "profile/autoverify.h"

#include "lang/texto.h"
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
        log.LogMsg(Texto(QStringLiteral("log.profcheck_skipped")) +
                   (profcheck.isEmpty() ? QStringLiteral("profcheck") : profcheck));
        return result;
    }
    if (!QFile::exists(ti3)) {
        log.LogMsg(Texto(QStringLiteral("log.profcheck_no_ti3")) + ti3);
        return result;
    }
    if (!QFile::exists(perfil)) {
        log.LogMsg(Texto(QStringLiteral("log.profcheck_no_profile")) + perfil);
        return result;
    }
    CommandLine command;
    command.program = profcheck;
    command.arguments = {QStringLiteral("-v2"), QStringLiteral("-Ir"), ti3, perfil};
    command.display = Entrecomillar(profcheck) + QStringLiteral(" -v2 -Ir ") + Entrecomillar(ti3) +
                      QLatin1Char(' ') + Entrecomillar(perfil);
    log.LogMsg(Texto(QStringLiteral("log.profcheck_auto")) + command.display);
    const int rc = EjecutarCapturando(command, workFolder, result.salida, log, cancel);
    result.rc = rc;
    result.resumen = ResumirProfcheck(result.salida);
    if (!result.resumen.isEmpty()) {
        log.LogMsg(result.resumen);
    }
    log.LogMsg(QStringLiteral("profcheck rc=") + QString::number(rc));
    if (rc != 0) {
        return result;
    }
    command.arguments.prepend(QStringLiteral("-k"));
    QString salida2000;
    if (EjecutarYLeerSalida(command, workFolder, salida2000, cancel) == 0) {
        const CifrasProfcheck cifras = LeerCifrasProfcheck(salida2000);
        bool okMedia = false;
        bool okMaximo = false;
        const double media = cifras.media.toDouble(&okMedia);
        const double maximo = cifras.maximo.toDouble(&okMaximo);
        if (okMedia && okMaximo) {
            result.media2000 = media;
            result.maximo2000 = maximo;
            log.LogMsg(Texto(QStringLiteral("verify.de2000_line"))
                           .arg(media, 0, 'f', 2)
                           .arg(maximo, 0, 'f', 2));
        }
    }
    return result;
}

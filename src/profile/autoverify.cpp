#include "profile/autoverify.h"

#include "lang/texto.h"
#include "shell/activitylog.h"
#include "shell/toolrunner.h"
#include "verify/profcheckreport.h"
#include "verify/profcheckrun.h"

#include <QFile>

#include <algorithm>

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
    OpcionesProfcheck opciones; // one line per patch ("-v2"), relative intent ("-Ir")
    opciones.intento = 1;
    const CommandLine command = ComandoProfcheck(profcheck, opciones, ti3, perfil);
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
    // CIEDE2000 of the same patches, from the colours the report lists: no second run.
    QList<ErrorParche> errores;
    if (LeerDetalleProfcheck(result.salida, errores)) {
        double suma = 0.0;
        double maximo = 0.0;
        for (const ErrorParche& e : errores) {
            suma += e.de2000;
            maximo = std::max(maximo, e.de2000);
        }
        result.media2000 = suma / double(errores.size());
        result.maximo2000 = maximo;
        log.LogMsg(Texto(QStringLiteral("verify.de2000_line"))
                       .arg(*result.media2000, 0, 'f', 2)
                       .arg(maximo, 0, 'f', 2));
    }
    return result;
}

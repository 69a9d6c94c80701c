#include "profile/keptfiles.h"

#include "shell/activitylog.h"
#include "shell/filereplace.h"
#include "shell/paths.h"
#include "shell/workfolders.h"

#include <QFile>

namespace {

const QString kTi3 = QStringLiteral(".ti3");
const QString kDiag = QStringLiteral("_scanin_diag.tif");

} // namespace

QString RutaTi3JuntoPerfil(const QString& perfil) {
    return BaseQueCabe(QuitarExtension(perfil), kTi3) + kTi3;
}

QString RutaDiagJuntoPerfil(const QString& perfil) {
    return BaseQueCabe(QuitarExtension(perfil), kDiag) + kDiag;
}

QString GuardarTi3JuntoPerfil(const QString& ti3, const QString& perfil, bool junto,
                              ActivityLog& log, QString& error) {
    if (!junto) {
        return QString();
    }
    const QString destination = RutaTi3JuntoPerfil(perfil);
    QString reason = QStringLiteral("no existe ") + ti3;
    if (!QFile::exists(ti3) || !SustituirPorCopia(ti3, destination, false, reason)) {
        error = QStringLiteral("No se pudo guardar TI3 junto al perfil: ") + destination +
                QStringLiteral(": ") + reason;
        log.LogMsg(error);
        return QString();
    }
    log.LogMsg(QStringLiteral("TI3 guardado junto al perfil: ") + destination);
    return destination;
}

QString GuardarDiagJuntoPerfil(const QString& diag, const QString& perfil, bool junto,
                               const QString& tmpFolder, ActivityLog& log, QString& error) {
    if (diag.isEmpty()) {
        return QString();
    }
    if (!QFile::exists(diag)) {
        log.LogMsg(QStringLiteral("scanin no generó diagnóstico TIFF: ") + diag);
        return QString();
    }
    const QString destination = junto
                                    ? RutaDiagJuntoPerfil(perfil)
                                    : RutaTmp(tmpFolder, QStringLiteral("ultimo_scanin_diag.tif"));
    QString reason;
    // The tmp copy lives beside the work folder: a hard link costs nothing. Beside the
    // profile the user gets an independent file.
    if (!SustituirPorCopia(diag, destination, !junto, reason)) {
        const QString line = QStringLiteral("No se pudo guardar diagnóstico scanin: ") +
                             destination + QStringLiteral(": ") + reason;
        log.LogMsg(line);
        if (junto)
            error = line;
        return QString();
    }
    log.LogMsg((junto ? QStringLiteral("Diagnóstico scanin guardado junto al perfil: ")
                      : QStringLiteral("Diagnóstico scanin disponible en Resultados: ")) +
               destination);
    return destination;
}

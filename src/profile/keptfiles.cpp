#include "profile/keptfiles.h"

#include "shell/activitylog.h"
#include "shell/paths.h"
#include "shell/workfolders.h"

#include <QFile>

#include <unistd.h>

namespace {

// Replaces destination by a copy of source. A file in the same file system is linked rather
// than copied: diagnostic images are as large as the chart image.
bool CopiarSustituyendo(const QString& source, const QString& destination, bool enlazar,
                        QString& error) {
    QFile::remove(destination);
    if (enlazar && ::link(QFile::encodeName(source).constData(),
                          QFile::encodeName(destination).constData()) == 0) {
        return true;
    }
    QFile file(source);
    if (file.copy(destination)) {
        return true;
    }
    error = file.errorString();
    return false;
}

} // namespace

QString GuardarTi3JuntoPerfil(const QString& ti3, const QString& perfil, bool junto,
                              ActivityLog& log) {
    if (!junto) {
        return QString();
    }
    if (!QFile::exists(ti3)) {
        log.LogMsg(QStringLiteral("No se pudo guardar TI3 junto al perfil: no existe ") + ti3);
        return QString();
    }
    const QString destination = QuitarExtension(perfil) + QStringLiteral(".ti3");
    QString error;
    if (!CopiarSustituyendo(ti3, destination, false, error)) {
        log.LogMsg(QStringLiteral("No se pudo guardar TI3 junto al perfil: ") + error);
        return QString();
    }
    log.LogMsg(QStringLiteral("TI3 guardado junto al perfil: ") + destination);
    return destination;
}

QString GuardarDiagJuntoPerfil(const QString& diag, const QString& perfil, bool junto,
                               const QString& tmpFolder, ActivityLog& log) {
    if (diag.isEmpty()) {
        return QString();
    }
    if (!QFile::exists(diag)) {
        log.LogMsg(QStringLiteral("scanin no generó diagnóstico TIFF: ") + diag);
        return QString();
    }
    const QString destination = junto
                                    ? QuitarExtension(perfil) + QStringLiteral("_scanin_diag.tif")
                                    : RutaTmp(tmpFolder, QStringLiteral("ultimo_scanin_diag.tif"));
    QString error;
    // The tmp copy lives beside the work folder: a hard link costs nothing. Beside the
    // profile the user gets an independent file.
    if (!CopiarSustituyendo(diag, destination, !junto, error)) {
        log.LogMsg(QStringLiteral("No se pudo guardar diagnóstico scanin: ") + error);
        return QString();
    }
    log.LogMsg((junto ? QStringLiteral("Diagnóstico scanin guardado junto al perfil: ")
                      : QStringLiteral("Diagnóstico scanin disponible en Resultados: ")) +
               destination);
    return destination;
}

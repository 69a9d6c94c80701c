#include "profile/keptfiles.h"

#include "lang/texto.h"
#include "shell/activitylog.h"
#include "shell/filereplace.h"
#include "shell/paths.h"
#include "shell/workfolders.h"

#include <QFile>

namespace {

const QString kTi3 = QStringLiteral(".ti3");
const QString kDiag = QStringLiteral("_scanin_diag.tif");

struct TextosConservado {
    QString fallo;    // a copy beside the profile failed
    QString junto;    // kept beside the profile
    QString ultimo;   // kept in the tmp folder
    QString falloTmp; // the tmp folder's copy failed
};

// Keeps `source` at `beside` when `junto`, else as `nombreTmp` in the tmp folder. The tmp copy
// lives beside the work folder, so a hard link costs nothing; beside the profile the user
// gets an independent file. Only a failure beside the profile sets `error`.
QString Conservar(const QString& source, const QString& beside, bool junto,
                  const QString& tmpFolder, const QString& nombreTmp,
                  const TextosConservado& textos, ActivityLog& log, QString& error) {
    const QString destination = junto ? beside : RutaTmp(tmpFolder, nombreTmp);
    QString reason;
    if (!SustituirPorCopia(source, destination, !junto, reason)) {
        const QString line =
            (junto ? textos.fallo : textos.falloTmp) + destination + QStringLiteral(": ") + reason;
        log.LogMsg(line);
        if (junto)
            error = line;
        return QString();
    }
    log.LogMsg((junto ? textos.junto : textos.ultimo) + destination);
    return destination;
}

} // namespace

QString RutaTi3JuntoPerfil(const QString& perfil) {
    return BaseQueCabe(QuitarExtension(perfil), kTi3) + kTi3;
}

QString RutaDiagJuntoPerfil(const QString& perfil) {
    return BaseQueCabe(QuitarExtension(perfil), kDiag) + kDiag;
}

QString GuardarTi3JuntoPerfil(const QString& ti3, const QString& perfil, bool junto,
                              const QString& tmpFolder, ActivityLog& log, QString& error) {
    const QString fallo = Texto(QStringLiteral("kept.ti3_failed"));
    if (!QFile::exists(ti3)) {
        if (junto) {
            error = fallo + RutaTi3JuntoPerfil(perfil) + QStringLiteral(": ") +
                    Texto(QStringLiteral("kept.missing")) + ti3;
            log.LogMsg(error);
        }
        return QString();
    }
    return Conservar(
        ti3, RutaTi3JuntoPerfil(perfil), junto, tmpFolder, QStringLiteral("ultimo.ti3"),
        {fallo, Texto(QStringLiteral("kept.ti3_saved")), Texto(QStringLiteral("kept.ti3_last")),
         Texto(QStringLiteral("kept.ti3_last_failed"))},
        log, error);
}

QString GuardarDiagJuntoPerfil(const QString& diag, const QString& perfil, bool junto,
                               const QString& tmpFolder, ActivityLog& log, QString& error) {
    if (diag.isEmpty()) {
        return QString();
    }
    if (!QFile::exists(diag)) {
        log.LogMsg(Texto(QStringLiteral("kept.diag_missing")) + diag);
        return QString();
    }
    const QString fallo = Texto(QStringLiteral("kept.diag_failed"));
    return Conservar(diag, RutaDiagJuntoPerfil(perfil), junto, tmpFolder,
                     QStringLiteral("ultimo_scanin_diag.tif"),
                     {fallo, Texto(QStringLiteral("kept.diag_saved")),
                      Texto(QStringLiteral("kept.diag_last")), fallo},
                     log, error);
}

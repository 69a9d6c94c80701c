#include "grid/gridimageprep.h"

#include "lang/texto.h"
#include "profile/scaninprep.h"
#include "shell/activitylog.h"
#include "shell/paths.h"
#include "shell/workfolders.h"

#include <QDir>
#include <QFile>

namespace {

ImagenAjustePreparada CopiarEnCarpetaTrabajo(const QString& tiff, const QString& tmpFolder,
                                             ActivityLog& log) {
    ImagenAjustePreparada r;
    r.carpetaTrabajo = CrearCarpetaTrabajo(tmpFolder);
    if (r.carpetaTrabajo.isEmpty()) {
        log.LogMsg(Texto(QStringLiteral("log.no_work_folder")));
        return r;
    }
    r.copia = r.carpetaTrabajo + QLatin1Char('/') + NombreFichero(tiff);
    QFile file(tiff);
    if (!file.copy(r.copia)) {
        log.LogMsg(Texto(QStringLiteral("log.copy_failed")) + r.copia + QStringLiteral(" -> ") +
                   file.errorString());
        QDir(r.carpetaTrabajo).removeRecursively();
        return ImagenAjustePreparada();
    }
    r.ok = true;
    return r;
}

} // namespace

ImagenAjustePreparada PrepararImagenAjuste(const QString& imagen, const QString& ficheroCarta,
                                           const QString& tmpFolder, ActivityLog& log) {
    QString tiff;
    QString convertido;
    QString rotado;
    QString error;
    ImagenAjustePreparada r;
    if (!PrepararTiffScanin(imagen, tmpFolder, tiff, convertido, error, log)) {
        log.LogMsg(error);
        return r;
    }
    if (OrientarQPcard202(ficheroCarta, tmpFolder, tiff, rotado, error, log))
        r = CopiarEnCarpetaTrabajo(tiff, tmpFolder, log);
    else
        log.LogMsg(error);
    BorrarFicheroSiHay(convertido);
    BorrarFicheroSiHay(rotado);
    return r;
}

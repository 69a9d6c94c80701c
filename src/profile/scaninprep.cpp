#include "profile/scaninprep.h"

#include "charts/charttables.h"
#include "image/freeimagelite.h"
#include "lang/texto.h"
#include "shell/activitylog.h"
#include "shell/workfolders.h"

bool PrepararTiffScanin(const QString& imagen, const QString& tmpFolder, QString& tiff,
                        QString& temporal, QString& error, ActivityLog& log,
                        const QString& nombreTemporal) {
    temporal.clear();
    const int dot = imagen.lastIndexOf(QLatin1Char('.'));
    const QString extension = (dot < 0 ? imagen : imagen.mid(dot + 1)).toLower();
    if (extension == QLatin1String("tif") || extension == QLatin1String("tiff")) {
        tiff = imagen;
        return true;
    }
    const QString converted = RutaTmp(tmpFolder, nombreTemporal);
    BorrarFicheroSiHay(converted);
    if (!FI_ConvertirATIFFRGB(imagen, converted)) {
        error = Texto(QStringLiteral("log.tiff_failed")) + FI_UltimoError();
        return false;
    }
    log.LogMsg(Texto(QStringLiteral("log.tiff_converted")) + converted);
    tiff = converted;
    temporal = converted;
    return true;
}

bool OrientarQPcard202(const QString& ficheroCarta, const QString& tmpFolder, QString& tiff,
                       QString& temporal, QString& error, ActivityLog& log) {
    temporal.clear();
    if (!EsCartaQPcard202(ficheroCarta)) {
        return true;
    }
    int width = 0;
    int height = 0;
    if (!FI_ObtenerDimensiones(tiff, width, height)) {
        error = Texto(QStringLiteral("log.orientation_failed")) + FI_UltimoError();
        return false;
    }
    if (height <= width) {
        return true;
    }
    const QString rotated =
        RutaTmp(tmpFolder, QStringLiteral("chromaflux_scanin_qpc202_rot_tmp.tif"));
    BorrarFicheroSiHay(rotated);
    if (!FI_RotarGuardarTIFF(tiff, rotated, false)) {
        error = Texto(QStringLiteral("log.qpcard_rotate_failed")) + FI_UltimoError();
        return false;
    }
    log.LogMsg(Texto(QStringLiteral("log.qpcard_rotated")) + rotated);
    tiff = rotated;
    temporal = rotated;
    return true;
}

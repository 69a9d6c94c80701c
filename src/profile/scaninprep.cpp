#include "profile/scaninprep.h"

#include "image/freeimagelite.h"
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
        error = QStringLiteral("No se pudo convertir a TIFF: ") + FI_UltimoError();
        return false;
    }
    log.LogMsg(QStringLiteral("Imagen convertida a TIFF temporal -> ") + converted);
    tiff = converted;
    temporal = converted;
    return true;
}

bool OrientarQPcard202(const QString& ficheroCarta, const QString& tmpFolder, QString& tiff,
                       QString& temporal, QString& error, ActivityLog& log) {
    temporal.clear();
    if (ficheroCarta.toLower() != QLatin1String("qpcard_202.cht")) {
        return true;
    }
    int width = 0;
    int height = 0;
    if (!FI_ObtenerDimensiones(tiff, width, height)) {
        error =
            QStringLiteral("No se pudo comprobar la orientación de la imagen: ") + FI_UltimoError();
        return false;
    }
    if (height <= width) {
        return true;
    }
    const QString rotated =
        RutaTmp(tmpFolder, QStringLiteral("chromaflux_scanin_qpc202_rot_tmp.tif"));
    BorrarFicheroSiHay(rotated);
    if (!FI_RotarGuardarTIFF(tiff, rotated, false)) {
        error = QStringLiteral("No se pudo orientar QPcard 202 para scanin: ") + FI_UltimoError();
        return false;
    }
    log.LogMsg(QStringLiteral(
                   "QPcard 202 vertical detectada: imagen rotada a horizontal para scanin -> ") +
               rotated);
    tiff = rotated;
    temporal = rotated;
    return true;
}

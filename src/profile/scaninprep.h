#pragma once

#include <QString>

class ActivityLog;

// Turns the chart image into the TIFF scanin reads. Both return false with the log line in
// `error` on failure; `temporal` names the temporary file they made (to delete at the end) or
// stays empty.

// The image itself when its extension is tif/tiff (any case), else a 24-bit RGB TIFF
// conversion at nombreTemporal in tmpFolder (the manual scanin window uses its own name).
bool PrepararTiffScanin(
    const QString& imagen, const QString& tmpFolder, QString& tiff, QString& temporal,
    QString& error, ActivityLog& log,
    const QString& nombreTemporal = QStringLiteral("chromaflux_scanin_tmp.tif"));
// scanin wants the QPcard 202 in landscape: a portrait image of that chart is turned a quarter
// counter-clockwise into "chromaflux_scanin_qpc202_rot_tmp.tif", which becomes `tiff`. Other
// charts and landscape or square images are left as they are.
bool OrientarQPcard202(const QString& ficheroCarta, const QString& tmpFolder, QString& tiff,
                       QString& temporal, QString& error, ActivityLog& log);

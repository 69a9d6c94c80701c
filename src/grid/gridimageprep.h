#pragma once

#include <QString>

class ActivityLog;

// The image the grid window opens: the chart image prepared exactly as a profile run
// prepares it for scanin (TIFF conversion, QPcard 202 turned to landscape), copied into a
// fresh work folder, so the corners placed on it are in the pixels scanin later reads.
struct ImagenAjustePreparada {
    bool ok = false;
    QString copia;          // the prepared image inside the work folder
    QString carpetaTrabajo; // the work folder
};

// Every failure is logged; the temporary files of the preparation are deleted in every case,
// and a work folder whose copy failed is removed again.
ImagenAjustePreparada PrepararImagenAjuste(const QString& imagen, const QString& ficheroCarta,
                                           const QString& tmpFolder, ActivityLog& log);

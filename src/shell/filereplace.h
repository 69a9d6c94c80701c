#pragma once

#include <QByteArray>
#include <QString>

// The files left for the user (profile, kept TI3 and diagnostic image, settings) are written
// into a new hidden file beside the destination, flushed to disk and only then renamed over
// it: a failed write (full disk, file size limit) or a second writer leaves the old file whole,
// never empty or half written. Each gives false with the reason in `error`.
bool SustituirFichero(const QString& destino, const QByteArray& bytes, QString& error);
// The same with a copy of origen, read in pieces (diagnostic images are as large as the chart
// image). With enlazar a hard link is renamed into place when both are on one file system.
bool SustituirPorCopia(const QString& origen, const QString& destino, bool enlazar, QString& error);

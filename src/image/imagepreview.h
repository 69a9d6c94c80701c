#pragma once

#include <QImage>
#include <QString>

// Full-size display pictures of images, made in memory from the decoded RGB buffer, with a
// timestamped debug log of that path.

// The image at full size, or a null image; w, h its size (0 when it could not be read). A
// failure leaves its text in UltimoDetalleCarga.
QImage CargarImagenFI(const QString& ruta, int& w, int& h);
QString UltimoDetalleCarga();
// Whether the last CargarImagenFI failed because the image does not fit in the memory
// available (the caller tells the user, not only the log).
bool UltimaCargaSinMemoria();

// The picture's byte of a buffer value: the integer part of min(v * 255 + 0.5, 255); -1 for a value
// that cannot become a byte (below 0, or not a number).
int ByteDeValor(double v);

// Appends "yyyy-MM-dd hh:mm:ss | " + message to "chromaflux_tif_debug.log" in the tmp folder,
// which starts afresh past 256 KiB; errors are ignored.
void LogDepuracionTIF(const QString& mensaje);

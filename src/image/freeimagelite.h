#pragma once

#include <QImage>
#include <QString>

class BufferRGB;

// The image-library operations. Each opens its file itself, does one job and releases every
// library bitmap before returning; failures leave a text in FI_UltimoError (emptied at the
// start of each operation). Paths are full paths, UTF-8 and blanks allowed.

QString FI_UltimoError();
// Whether the last FI_CargarRGB failed because the image does not fit in the memory available.
bool FI_SinMemoria();

// Decodes the image into buffer (top row first, red/green/blue); w, h and bitsPorMuestra (16
// for a 16-bit RGB or grey image, else 8 after conversion to 24 bits) describe it. After success
// the last error holds the image's description ("fif=.. it=.. bpp=.. W=.. H=.. pitch=..").
bool FI_CargarRGB(const QString& ruta, int& w, int& h, int& bitsPorMuestra, BufferRGB& buffer);
// Whether the file is an image the library recognises and can open (its header only where the
// format allows it, so a large image costs nothing); the last error says why not.
bool FI_EsImagen(const QString& ruta);
// Decodes the whole image; true when both dimensions are above 0.
bool FI_ObtenerDimensiones(const QString& ruta, int& w, int& h);
// The image stretched (Lanczos) to exactly anchoDestino x altoDestino; w, h give the file's own
// size. A null image on failure.
QImage FI_CargarEscalada(const QString& ruta, int anchoDestino, int altoDestino, int& w, int& h);
// Turns the image a quarter turn (clockwise when sentidoHorario) into a 24-bit TIFF.
bool FI_RotarGuardarTIFF(const QString& origen, const QString& destino, bool sentidoHorario);
// Any readable image to an RGB TIFF for scanin: 16 bits per channel for a 16-bit source, else
// 24-bit. False when the file could not be written whole (a full disk).
bool FI_ConvertirATIFFRGB(const QString& origen, const QString& destino);

#pragma once

#include <FreeImage.h>

#include <QByteArray>
#include <QString>

#include <array>
#include <functional>

// Image files for the image tests, written with FreeImage or byte by byte.

// Sample values of pixel (x, y), y = 0 the top row: 0..255, or 0..65535 when bits is 16.
using PixelRGB = std::function<std::array<int, 3>(int x, int y)>;

// A w x h RGB image (24-bit, or FIT_RGB16 when bits is 16) saved in format fif, with the
// given ICC profile embedded when not empty. True when saved.
bool EscribirImagenRGB(const QString& ruta, FREE_IMAGE_FORMAT fif, int w, int h, int bits,
                       const PixelRGB& pixel, const QByteArray& icc = QByteArray());

// A w x h 16-bit greyscale image (FIT_UINT16) saved in format fif; each grey sample is the red
// one pixel gives.
bool EscribirGris16(const QString& ruta, FREE_IMAGE_FORMAT fif, int w, int h,
                    const PixelRGB& pixel);

QByteArray LeerBytes(const QString& ruta);
bool EscribirBytes(const QString& ruta, const QByteArray& bytes);

// A PNG whose header claims w x h pixels (and holds the given ICC profile), with a few bytes
// of image data that do not make up the image.
QByteArray PngConCabecera(quint32 w, quint32 h, const QByteArray& icc = QByteArray());

// An ArgyllCMS reference profile (sRGB.icm), or empty when the reference files are missing.
QByteArray PerfilSRGB();

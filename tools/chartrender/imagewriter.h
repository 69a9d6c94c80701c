#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace chartrender {

// Writes an 8-bit (Format_RGB888) or 16-bit (Format_RGBX64) image as TIFF ("tif"), PNG ("png")
// or JPEG ("jpg", 8-bit only) through FreeImage, with the ICC profile bytes embedded when
// given.
bool saveImage(const QImage& image, const QString& path, const QString& format,
               const QByteArray& iccProfile, QString* error);

} // namespace chartrender

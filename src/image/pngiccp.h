#pragma once

#include <QByteArray>
#include <QString>

// The ICC profile of a PNG file's iCCP chunk, inflated; empty when the file has none or it
// cannot be read. The library in use reads PNG profiles as zero bytes long, hence this reader.
// Only the chunks before the image data are looked at; a chunk with a wrong CRC is ignored
// and the inflated profile is capped, so any file is safe to pass.
QByteArray LeerPerfilPng(const QString& ruta);

#pragma once

#include <QByteArray>
#include <QString>

// The description of an ICC profile: the text of the first tag, in tag-table order, whose data
// yields text, reading "desc" tags as textDescriptionType (version 2) or
// multiLocalizedUnicodeType (version 4) and "mluc" tags as the latter (first record only).
// Empty when there is none. Any bytes are safe: reads stay inside the array and the work is
// bounded by a small multiple of its size.
QString DescripcionPerfilICC(const QByteArray& perfil);

// Cuts at the first zero character, then removes leading and trailing spaces (only spaces).
QString LimpiarTextoICC(const QString& texto);

#pragma once

#include <QString>

// Private-profile INI semantics: section and key names compared without regard to case,
// the default when the file, section or key is missing, values cut at 1023 characters,
// other lines and comments kept on write. Files are UTF-8; a file that is not valid UTF-8
// is read as Windows-1252. Writes are atomic (the old file stays whole if saving fails).
QString LeerIni(const QString& file, const QString& section, const QString& key,
                const QString& defaultValue);
bool EscribirIni(const QString& file, const QString& section, const QString& key,
                 const QString& value);

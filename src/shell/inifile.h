#pragma once

#include <QString>
#include <QStringList>

// Private-profile INI semantics: section and key names compared without regard to case,
// the default when the file, section or key is missing, values cut at 1023 characters,
// other lines and comments kept on write. Files are UTF-8; a file that is not valid UTF-8
// is read as Windows-1252. Writes are atomic (the old file stays whole if saving fails).
QString LeerIni(const QString& file, const QString& section, const QString& key,
                const QString& defaultValue);
bool EscribirIni(const QString& file, const QString& section, const QString& key,
                 const QString& value);

// The same on a file read once: many keys looked up and changed in memory, then written back
// in one go (a large settings file is parsed and rewritten once, not once per key).
class FicheroIni {
public:
    explicit FicheroIni(const QString& file);

    QString Leer(const QString& section, const QString& key, const QString& defaultValue) const;
    void Escribir(const QString& section, const QString& key, const QString& value);
    // False when the file was there but unreadable (rewriting it would lose its other keys) or
    // the write failed; the old file then stays whole.
    bool Guardar() const;

private:
    QString file_;
    QStringList lines_;
    QString lineEnd_ = QStringLiteral("\n");
    bool legible_ = true;
};

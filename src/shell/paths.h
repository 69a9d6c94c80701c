#pragma once

#include <QString>

// Small path helpers shared by every subsystem. Paths use "/".

// A double quote, the text unchanged, a double quote (display command lines only).
QString Entrecomillar(const QString& text);
// The part after the last "/" (the whole path when there is none).
QString NombreFichero(const QString& path);
// The path up to, not including, its last "." (the whole path when there is no ".").
QString QuitarExtension(const QString& path);

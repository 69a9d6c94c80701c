#pragma once

#include <QString>

// Small path helpers shared by every subsystem. Paths use "/".

// A double quote, the text unchanged, a double quote (display command lines only).
QString Entrecomillar(const QString& text);
// The part after the last "/" (the whole path when there is none).
QString NombreFichero(const QString& path);
// The path up to, not including, its last "." (the whole path when there is no ".").
QString QuitarExtension(const QString& path);
// The path with its file name shortened (never inside a character) so that the name followed
// by `sufijo` still fits in the 255 bytes a file name may have.
QString BaseQueCabe(const QString& base, const QString& sufijo);

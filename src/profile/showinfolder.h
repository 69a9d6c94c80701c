#pragma once

#include <QString>

// Opens the folder of a file in the desktop's file manager with the file selected (the
// freedesktop FileManager1.ShowItems call), or just its folder when no file manager answers
// that call. Does not wait for the file manager. False when nothing could show it (no file
// manager and no handler for folders), so the caller can tell the user where it is.
bool MostrarEnCarpeta(const QString& path);

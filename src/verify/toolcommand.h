#pragma once

#include <QString>

// Shared pieces of the tool windows' command lines.

// The ArgyllCMS tool to run: its full path when it was found, else its bare name, so a missing
// tool still shows in the logged command line and fails to start with exit code -1.
QString ProgramaArgyll(const QString& tool);
// The folder part of a path (before its last "/"); programFolder when the path has no "/".
QString CarpetaDeFichero(const QString& path, const QString& programFolder);
// True when the path names an existing file (a folder of that name does not count).
bool ExisteFichero(const QString& path);

#pragma once

#include <QString>

#include <functional>

class ActivityLog;

// The tmp folder and the per-run work folders inside it.
// Created on first use; errors are ignored (the later file operation reports them).
QString CarpetaTmp(const QString& tmpFolder);
// tmpFolder + "/" + fileName (creates the tmp folder).
QString RutaTmp(const QString& tmpFolder, const QString& fileName);
// Deletes the file when the path is not empty; every error ignored.
void BorrarFicheroSiHay(const QString& path);
// Removes the leftovers of earlier runs (fixed-name temporary files and work folders).
void LimpiarCarpetaTmp(const QString& tmpFolder);
// A fresh "chromaflux_tmp_<seconds>_<n>" folder, or the empty text after 20 attempts.
QString CrearCarpetaTrabajo(const QString& tmpFolder);
// The same with the clock given (seconds since midnight, read once per attempt).
QString CrearCarpetaTrabajo(const QString& tmpFolder,
                            const std::function<float()>& secondsSinceMidnight);
// "chromaflux_tmp_" + the seconds as text with "." and "," as "_" and no blanks + "_" + attempt;
// the same under every locale.
QString NombreCarpetaTrabajo(float secondsSinceMidnight, int attempt);
// Five attempts 250 ms apart, read-only files included; logs the outcome. By absolute path:
// the process's current folder is never changed (batch runs delete from worker threads).
void BorrarCarpetaTrabajo(const QString& path, ActivityLog& log);

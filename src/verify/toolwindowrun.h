#pragma once

#include "shell/toolrunner.h"

#include <QList>
#include <QString>

#include <functional>

class ActivityLog;

// An input file of a tool window's run: its path, the log line when it is blank and the start
// of the one when no such file exists (the path follows).
struct EntradaHerramienta {
    QString ruta;
    QString falta;
    QString noExiste;
};

struct ResultadoHerramienta {
    bool ejecutado = false; // false when an input was missing and nothing ran
    int rc = -1;
    QString salida;
};

// The run of a tool window: every input checked (first for blanks, then for existence; the
// first failing one is one log line and nothing runs), then the command runs in `carpeta`.
// Logs "<herramienta>: " + its command line, then resumen(output) when that is not empty, the
// output and "<herramienta> rc=" + the exit code.
ResultadoHerramienta
EjecutarHerramientaVentana(const QString& herramienta, const QList<EntradaHerramienta>& entradas,
                           const CommandLine& command, const QString& carpeta, ActivityLog& log,
                           const CancelToken* cancel,
                           const std::function<QString(const QString&)>& resumen = nullptr);

#pragma once

#include <QString>

struct EjecucionCreacion;

// The message of a profile run that failed after the save dialog: the step that failed, the
// reason in plain words with the log line behind it, and what to try next. A kept diagnostic
// image (run.diagnosticoFallo) is announced: the window opens it after the message.
QString TextoFalloCreacion(const EjecucionCreacion& run);
// The last `count` lines of a run's log, for the message's details.
QString UltimasLineas(const QString& log, int count);

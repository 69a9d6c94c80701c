#pragma once

#include <QString>

// Where long-running core work reports: the main window's activity log and busy status, the
// command line's standard error, or a tool window's own log.
class ActivityLog {
public:
    virtual ~ActivityLog() = default;
    // One line (a text holding line breaks gives several lines).
    virtual void LogMsg(const QString& text) = 0;
    // Raw tool output, appended as it comes.
    virtual void AgregarSalidaLog(const QString& text) = 0;
    // Busy status: a non-empty text names the running stage, the empty text clears it.
    virtual void MostrarEstado(const QString& text) = 0;
};

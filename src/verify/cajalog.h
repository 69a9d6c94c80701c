#pragma once

#include "shell/activitylog.h"
#include "shell/logtext.h"

#include <QPlainTextEdit>

// A tool window's own read-only log, with the rules of the main window's activity log: each
// line after a line break (none before the first), the newest text kept in view.
class CajaLog : public QPlainTextEdit, public ActivityLog {
    Q_OBJECT

public:
    explicit CajaLog(QWidget* parent = nullptr);

    // AgregarLog: one entry (a text holding line breaks gives several lines).
    void LogMsg(const QString& text) override;
    // Raw output appended as it comes.
    void AgregarSalidaLog(const QString& text) override;
    // Tool windows show no busy status line; their run button is disabled instead.
    void MostrarEstado(const QString&) override {}

private:
    void Anadir(const QString& chunk);

    TextoLog textoLog_;
};

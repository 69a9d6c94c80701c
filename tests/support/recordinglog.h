#pragma once

#include "shell/activitylog.h"

#include <QStringList>

// An activity log that keeps everything it is told, for tests to look at.
class RecordingLog : public ActivityLog {
public:
    QStringList lines;  // LogMsg texts
    QString output;     // AgregarSalidaLog texts, joined as they came
    QStringList chunks; // AgregarSalidaLog texts one by one
    QStringList states; // MostrarEstado texts

    void LogMsg(const QString& text) override { lines.append(text); }
    void AgregarSalidaLog(const QString& text) override {
        output += text;
        chunks.append(text);
    }
    void MostrarEstado(const QString& text) override { states.append(text); }
};

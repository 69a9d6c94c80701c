#pragma once

#include "shell/activitylog.h"

#include <QString>
#include <QStringList>

class Consola;

// The activity log of one command on standard error: every log line as the main window's log
// shows it (the busy status texts included), tool output line by line as it arrives. In a
// batch each line starts with the run's prefix, so the runs going on at once can be told
// apart. Silenced, it writes nothing but still follows the tool output.
class RegistroConsola : public ActivityLog {
public:
    RegistroConsola(Consola& consola, const QString& prefijo, bool silencio);

    void LogMsg(const QString& text) override;
    void AgregarSalidaLog(const QString& text) override;
    void MostrarEstado(const QString& text) override;

    // Writes the tool output still waiting for its line break.
    void Terminar();

private:
    void Escribir(const QStringList& lines);

    Consola& consola_;
    const QString prefijo_;
    const bool silencio_;
    QString pendiente_; // tool output after its last line break
};

#pragma once

#include <QString>

// What a window's log appends: every entry starts on a line of its own (none before the
// first), and a tool's raw output never runs on in the entry logged just before it, which is
// usually the tool's command line. Carriage returns are dropped.
class TextoLog {
public:
    // `vacio`: nothing has been shown yet.
    QString Entrada(const QString& text, bool vacio);
    QString Salida(const QString& text);

private:
    bool entradaAbierta_ = false; // the last text appended was an entry, its line not ended
};

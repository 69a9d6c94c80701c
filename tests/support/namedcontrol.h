#pragma once

#include <QObject>
#include <QPlainTextEdit>
#include <QString>
#include <QWidget>

// The control of a window by its objectName, as texts are applied; a missing control stops the
// test program with its name, since every later step would fail on it anyway.
template <typename T = QWidget> T* Control(const QObject& window, const char* name) {
    T* control = window.findChild<T*>(QString::fromLatin1(name));
    if (!control)
        qFatal("no control named %s", name);
    return control;
}

// The text of a window's named plain-text box: a log, an explanation.
inline QString TextoDe(const QObject& window, const char* name) {
    return Control<QPlainTextEdit>(window, name)->toPlainText();
}

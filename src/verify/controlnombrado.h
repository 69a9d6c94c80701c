#pragma once

#include <QString>

class QWidget;

// A new control whose objectName is its control name, so text application by name finds it.
template <typename T> T* CrearControl(QWidget* parent, const char* name) {
    T* control = new T(parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

#pragma once

#include <QString>

class QWidget;

// Property access by control name, for windows that set captions of controls they may not
// have. The control is found by objectName inside window (or is the window itself).
// "Caption" is the shown text: QLabel/QAbstractButton/QAction text, QGroupBox/QMenu title, a
// window's title. "ToolTipText" is the tooltip. Any other name is the Qt property of that name
// with a lower-case first letter ("Enabled" -> "enabled").
// A missing control or property makes the call do nothing.
void AsignarPropiedad(QWidget* window, const QString& control, const QString& property,
                      const QString& value);
// The property's value as text; "" when the control or the property is missing.
QString LeerPropiedad(QWidget* window, const QString& control, const QString& property);

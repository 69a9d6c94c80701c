#pragma once

#include <QString>

class ActivityLog;
class QWidget;

// Asked before every run on the target image (Create, grid recognition, grid check): when the
// image carries an embedded ICC profile, logs it and asks whether to go on (No by default).
// True to go on; a failed check is only logged and lets the run go on.
bool ComprobarICCIncrustado(const QString& rutaImagen, ActivityLog& log, QWidget* owner);

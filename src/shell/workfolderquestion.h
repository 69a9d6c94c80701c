#pragma once

#include <QString>

class QWidget;

// Asks whether to delete a work folder now: a question box with Yes/No, in the current
// language, naming the path. The empty path is answered no without asking.
bool PreguntarBorrarCarpeta(QWidget* owner, const QString& path);

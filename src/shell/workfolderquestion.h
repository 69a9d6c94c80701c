#pragma once

#include <QString>

class QWidget;

// Asks whether to delete a work folder now: a question box with Yes/No, `text` with every "%1"
// replaced by the path. The empty path is answered no without asking. The main window passes
// its text-table texts, the scanin window its own fixed text.
bool PreguntarBorrarCarpeta(QWidget* owner, const QString& path, const QString& text,
                            const QString& title);

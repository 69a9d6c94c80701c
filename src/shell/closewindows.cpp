#include "shell/closewindows.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

void DescargarFormularios(QWidget* mainWindow) {
    // Closing one window may delete others, so hold guarded pointers.
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != mainWindow && w->isWindow() && !w->isHidden())
            windows.append(w);
    }
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        if (*it)
            (*it)->close();
    }
}

#pragma once

class QWidget;

// Closes every other top-level window, the last opened first, so each one's own close
// handling runs (the floating help and the tool windows among them).
void DescargarFormularios(QWidget* mainWindow);

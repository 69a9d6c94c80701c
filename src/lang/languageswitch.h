#pragma once

#include <QString>

// Calls aplicarTextos on every top-level window (shown or hidden) that is a TextApplier, in the
// application's order of windows; an exception in one window does not stop the walk. Windows
// that are not TextAppliers (the floating help) are left alone.
void AplicarIdiomaFormularios();

// Selects the language of the code (NumeroIdioma rules) with Qt's own texts, saves it in the
// settings file and re-applies the texts of every open window, even when the language was
// already current.
void CambiarIdioma(const QString& code, const QString& settingsFile);

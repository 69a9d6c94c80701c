#include "lang/languageswitch.h"

#include "lang/qttranslations.h"
#include "lang/textapplier.h"
#include "lang/texto.h"

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QWidget>

void AplicarIdiomaFormularios() {
    // Guarded pointers: a window's text application may close another window.
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        windows.append(w);
    for (const QPointer<QWidget>& w : windows) {
        auto* applier = dynamic_cast<TextApplier*>(w.data());
        if (!applier)
            continue;
        try {
            applier->aplicarTextos();
        } catch (...) {
            // One window failing must not keep the others in the old language.
        }
    }
}

void CambiarIdioma(const QString& code, const QString& settingsFile) {
    EstablecerIdiomaActual(NumeroIdioma(code));
    CargarTraduccionesQt();
    GuardarIdioma(settingsFile);
    AplicarIdiomaFormularios();
}

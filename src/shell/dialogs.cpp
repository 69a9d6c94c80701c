#include "shell/dialogs.h"

#include "lang/texto.h"
#include "shell/appfolders.h"
#include "shell/dialogfolder.h"
#include "shell/qtdialogprovider.h"

namespace {

DialogProvider* gInstalled = nullptr;

DialogProvider& Reales() {
    static QtDialogProvider provider;
    return provider;
}

// Without a data folder (nothing set up yet) no folder is remembered.
DialogFolder Carpeta() {
    return DialogFolder(Carpetas().dataFolder.isEmpty() ? QString() : Carpetas().settingsFile());
}

} // namespace

DialogProvider& Dialogos() {
    return gInstalled ? *gInstalled : Reales();
}

void EstablecerDialogos(DialogProvider* provider) {
    gInstalled = provider;
}

bool PreguntarDetenerHerramienta(QWidget* owner, const QString& title) {
    return MsgBox(owner, Texto(QStringLiteral("msg.stop_tool_question")),
                  Msg::YesNo | Msg::Question, title) == Msg::Yes;
}

int MsgBox(QWidget* owner, const QString& text, Msg::Styles style, const QString& title,
           const QString& details) {
    return Dialogos().message(owner, text, style, title, details);
}

QString AbrirFichero(QWidget* owner, const QString& filter, const QString& title,
                     const QString& initialFolder) {
    const QString path = Dialogos().openFile(
        owner, filter, title,
        Carpeta().initialFolder(initialFolder, filter, Carpetas().programFolder));
    Carpeta().remember(path, filter);
    return path;
}

QString GuardarFichero(QWidget* owner, const QString& filter, const QString& title,
                       const QString& initialFolder, const QString& defaultExtension) {
    const QString path = Dialogos().saveFile(
        owner, filter, title,
        Carpeta().initialFolder(initialFolder, filter, Carpetas().programFolder), defaultExtension);
    Carpeta().remember(path, filter);
    return path;
}

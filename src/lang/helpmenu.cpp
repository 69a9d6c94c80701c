#include "lang/helpmenu.h"

#include "lang/helptopics.h"
#include "lang/texto.h"
#include "shell/appfolders.h"
#include "shell/dialogs.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

void AbrirAyuda(QWidget* owner) {
    AbrirDocumento(owner, RutaPaginaAyuda(Carpetas().helpFolder, NombreFicheroAyuda()));
}

void AbrirDocumentacionArgyll(QWidget* owner) {
    AbrirDocumento(owner, Carpetas().argyllDoc + QStringLiteral("/ArgyllDoc.html"));
}

void AbrirDocumento(QWidget* owner, const QString& path) {
    if (QFileInfo(path).isFile()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            MsgBox(owner, Texto(QStringLiteral("msg.open_by_hand")).arg(path), Msg::Exclamation,
                   Texto(QStringLiteral("menu.help")));
        return;
    }
    MsgBox(owner, Texto(QStringLiteral("msg.help_missing")) + QLatin1Char('\n') + path,
           Msg::Exclamation, Texto(QStringLiteral("menu.help")));
}

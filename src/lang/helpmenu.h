#pragma once

#include <QString>

class QWidget;

// Help menu actions of the main window. Documents open in the desktop's viewer; a missing file
// is reported with an exclamation box: Texto("msg.help_missing") + line break + path, titled
// Texto("menu.help"), and so is a document no program would open (Texto("msg.open_by_hand")).

// The current language's help page in Carpetas().helpFolder, or the Spanish one.
void AbrirAyuda(QWidget* owner);
// The ArgyllCMS documentation index, Carpetas().argyllDoc + "/ArgyllDoc.html".
void AbrirDocumentacionArgyll(QWidget* owner);
void AbrirDocumento(QWidget* owner, const QString& path);

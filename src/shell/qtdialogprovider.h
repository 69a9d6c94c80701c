#pragma once

#include "shell/dialogs.h"

#include <memory>

class QFileDialog;
class QMessageBox;

// The real dialogs: QMessageBox and Qt's own file dialog (not the desktop's native one, whose
// pattern matching depends on letter case; "CHART.TIF" must show under "*.tif").
class QtDialogProvider : public DialogProvider {
public:
    int message(QWidget* owner, const QString& text, Msg::Styles style, const QString& title,
                const QString& details) override;
    QString openFile(QWidget* owner, const QString& filter, const QString& title,
                     const QString& initialFolder) override;
    QString saveFile(QWidget* owner, const QString& filter, const QString& title,
                     const QString& initialFolder, const QString& defaultExtension) override;

    // The dialogs as they are shown, set up but not run.
    static std::unique_ptr<QMessageBox> crearMensaje(QWidget* owner, const QString& text,
                                                     Msg::Styles style, const QString& title);
    static std::unique_ptr<QFileDialog> crearDialogoAbrir(QWidget* owner, const QString& filter,
                                                          const QString& title,
                                                          const QString& initialFolder);
    static std::unique_ptr<QFileDialog> crearDialogoGuardar(QWidget* owner, const QString& filter,
                                                            const QString& title,
                                                            const QString& initialFolder,
                                                            const QString& defaultExtension);
    // The answer for the button the user pressed (No when a Yes/No box was closed).
    static int respuesta(const QMessageBox& box);
};

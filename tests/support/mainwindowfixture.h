#pragma once

// A main window loaded as at start over fresh folders in a temporary folder, in Spanish, with
// scripted dialogs. Members are declared in the order they must be built.

#include "lang/texto.h"
#include "scripteddialogs.h"
#include "shell/appfolders.h"
#include "shell/frmmain.h"

#include <QApplication>
#include <QTemporaryDir>

#include <memory>

struct MainWindowFixture {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmMain> main;

    MainWindowFixture() {
        // Tests close and reopen windows; the application must outlive them.
        QApplication::setQuitOnLastWindowClosed(false);
        EstablecerCarpetas(AppFolders::forProgram(dir.path()));
        EstablecerIdiomaActual(IdiomaEs);
        main = std::make_unique<frmMain>();
        main->Form_Load();
    }
    QString path(const QString& name) const { return dir.filePath(name); }
};

#pragma once

// A main window loaded as at start over a fresh portable program, in Spanish, with scripted
// dialogs. Members are declared in the order they must be built.

#include "portablefolders.h"
#include "scripteddialogs.h"
#include "shell/frmmain.h"

#include <QApplication>

#include <memory>

struct MainWindowFixture {
    FreshProgram program;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmMain> main;

    MainWindowFixture() {
        // Tests close and reopen windows; the application must outlive them.
        QApplication::setQuitOnLastWindowClosed(false);
        main = std::make_unique<frmMain>();
        main->Form_Load();
    }
};

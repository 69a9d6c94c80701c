#pragma once

#include "lang/texto.h"
#include "shell/appfolders.h"

#include <QFile>
#include <QTemporaryDir>

// The folders of a portable program in a test's own folder, so settings and tmp stay there and
// never reach the user's folders.
inline AppFolders PortableFolders(const QString& programFolder) {
    QFile(programFolder + QStringLiteral("/portable")).open(QIODevice::WriteOnly);
    return AppFolders::forProgram(programFolder);
}

// A fresh portable program in a temporary folder, made current, with Spanish texts: where the
// window tests start.
struct FreshProgram {
    QTemporaryDir dir;

    FreshProgram() {
        if (!dir.isValid())
            qFatal("no temporary folder: %s", qPrintable(dir.errorString()));
        EstablecerCarpetas(PortableFolders(dir.path()));
        EstablecerIdiomaActual(IdiomaEs);
    }
    QString filePath(const QString& name) const { return dir.filePath(name); }
    QString path() const { return dir.path(); }
};

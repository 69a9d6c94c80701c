#pragma once

#include "shell/appfolders.h"

#include <QFile>

// The folders of a portable program in a test's own folder, so settings and tmp stay there and
// never reach the user's folders.
inline AppFolders PortableFolders(const QString& programFolder) {
    QFile(programFolder + QStringLiteral("/portable")).open(QIODevice::WriteOnly);
    return AppFolders::forProgram(programFolder);
}

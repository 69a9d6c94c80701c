#include "verify/toolcommand.h"

#include "shell/appfolders.h"

#include <QFileInfo>

QString ProgramaArgyll(const QString& tool) {
    const QString path = Carpetas().toolPath(tool);
    return path.isEmpty() ? tool : path;
}

QString CarpetaDeFichero(const QString& path, const QString& programFolder) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return programFolder;
    // A file at the root keeps "/" as its folder.
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

bool ExisteFichero(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

#include "shell/dialogfolder.h"

QString DialogFolder::initialFolder(const QString& given, const QString& programFolder) const {
    if (!given.isEmpty())
        return given;
    if (!last_.isEmpty())
        return last_;
    return programFolder;
}

void DialogFolder::remember(const QString& chosenPath) {
    const qsizetype slash = chosenPath.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return;
    last_ = slash == 0 ? QStringLiteral("/") : chosenPath.left(slash);
}

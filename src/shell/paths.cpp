#include "shell/paths.h"

QString Entrecomillar(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString NombreFichero(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString QuitarExtension(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? path : path.left(dot);
}

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

QString BaseQueCabe(const QString& base, const QString& sufijo) {
    constexpr qsizetype kMaxNombre = 255;
    const qsizetype inicio = base.lastIndexOf(QLatin1Char('/')) + 1;
    QString nombre = base.mid(inicio);
    const qsizetype libre = kMaxNombre - sufijo.toUtf8().size();
    while (!nombre.isEmpty() && nombre.toUtf8().size() > libre) {
        nombre.chop(nombre.back().isLowSurrogate() && nombre.size() > 1 ? 2 : 1);
    }
    return base.left(inicio) + nombre;
}

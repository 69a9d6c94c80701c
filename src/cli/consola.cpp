#include "cli/consola.h"

#include <QIODevice>

Consola::Consola(QIODevice& salida, QIODevice& errores) : salida_(salida), errores_(errores) {}

void Consola::Resultado(const QString& text) {
    const QMutexLocker lock(&mutex_);
    salida_.write(text.toUtf8());
}

void Consola::Error(const QString& text) {
    const QMutexLocker lock(&mutex_);
    errores_.write(text.toUtf8());
}

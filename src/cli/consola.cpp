#include "cli/consola.h"

#include <QIODevice>

Consola::Consola(QIODevice& salida, QIODevice& errores) : salida_(salida), errores_(errores) {}

void Consola::Resultado(const QString& text) {
    Escribir(salida_, text);
}

void Consola::Error(const QString& text) {
    Escribir(errores_, text);
}

void Consola::Escribir(QIODevice& device, const QString& text) {
    const QMutexLocker lock(&mutex_);
    const QByteArray bytes = text.toUtf8();
    if (device.write(bytes) != bytes.size() && errorEscritura_.isEmpty())
        errorEscritura_ = device.errorString();
}

QString Consola::ErrorEscritura() const {
    const QMutexLocker lock(&mutex_);
    return errorEscritura_;
}

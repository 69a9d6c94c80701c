#pragma once

#include <QMutex>
#include <QString>

class QIODevice;

// Where the command line writes: results to standard output, the log and messages to standard
// error. One lock for both, so the lines of runs going on at once never mix.
class Consola {
public:
    Consola(QIODevice& salida, QIODevice& errores);

    void Resultado(const QString& text); // written to standard output as it is
    void Error(const QString& text);     // written to standard error as it is
    // Why the first write failed (a full disk, a closed pipe); empty when none did.
    QString ErrorEscritura() const;

private:
    void Escribir(QIODevice& device, const QString& text);

    mutable QMutex mutex_;
    QString errorEscritura_;
    QIODevice& salida_;
    QIODevice& errores_;
};

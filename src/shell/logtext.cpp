#include "shell/logtext.h"

namespace {

QString SinRetornos(QString text) {
    text.remove(QLatin1Char('\r'));
    return text;
}

} // namespace

QString TextoLog::Entrada(const QString& text, bool vacio) {
    entradaAbierta_ = true;
    return vacio ? SinRetornos(text) : QLatin1Char('\n') + SinRetornos(text);
}

QString TextoLog::Salida(const QString& text) {
    QString chunk = SinRetornos(text);
    if (chunk.isEmpty())
        return chunk;
    if (entradaAbierta_ && !chunk.startsWith(QLatin1Char('\n')))
        chunk.prepend(QLatin1Char('\n'));
    entradaAbierta_ = false;
    return chunk;
}

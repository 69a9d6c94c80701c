#include "cli/consolelog.h"

#include "cli/consola.h"

namespace {

constexpr qsizetype kMaxPendiente = 64 * 1024;

} // namespace

RegistroConsola::RegistroConsola(Consola& consola, const QString& prefijo, bool silencio)
    : consola_(consola), prefijo_(prefijo), silencio_(silencio) {}

void RegistroConsola::LogMsg(const QString& text) {
    Terminar();
    QString lines = text;
    lines.remove(QLatin1Char('\r'));
    Escribir(lines.split(QLatin1Char('\n')));
}

void RegistroConsola::AgregarSalidaLog(const QString& text) {
    pendiente_ += text;
    pendiente_.remove(QLatin1Char('\r'));
    const qsizetype fin = pendiente_.lastIndexOf(QLatin1Char('\n'));
    if (fin < 0) {
        // A tool that never ends its line is not kept waiting in memory.
        if (pendiente_.size() > kMaxPendiente)
            Terminar();
        return;
    }
    const QStringList lines = pendiente_.left(fin).split(QLatin1Char('\n'));
    pendiente_.remove(0, fin + 1);
    Escribir(lines);
}

void RegistroConsola::MostrarEstado(const QString& text) {
    // The main window writes a busy status into its log; clearing it writes nothing.
    if (!text.isEmpty())
        LogMsg(text);
}

void RegistroConsola::Terminar() {
    if (pendiente_.isEmpty())
        return;
    const QString line = pendiente_;
    pendiente_.clear();
    Escribir({line});
}

void RegistroConsola::Escribir(const QStringList& lines) {
    if (silencio_)
        return;
    QString text;
    for (const QString& line : lines)
        text += prefijo_ + line + QLatin1Char('\n');
    consola_.Error(text);
}

#include "shell/inifile.h"

#include "shell/filereplace.h"
#include "shell/legacytext.h"

#include <QFile>

namespace {

// The old private-profile buffer held 1024 characters including the terminating NUL.
constexpr qsizetype kMaxValueLength = 1023;

// The name of a "[section]" line; false for any other line.
bool EsSeccion(const QString& line, QString* name) {
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    *name = trimmed.mid(1, close - 1).trimmed();
    return true;
}

// Position of the "=" of a "key=value" line for `key`, or -1.
qsizetype PosicionClave(const QString& line, const QString& key) {
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')))
        return -1;
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return -1;
    const bool same = line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0;
    return same ? equals : -1;
}

// Index of the first "[section]" line with that name, or -1.
qsizetype BuscarSeccion(const QStringList& lines, const QString& section) {
    QString name;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (EsSeccion(lines[i], &name) && name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

// Index one past the last line of the section that starts at `start`.
qsizetype FinSeccion(const QStringList& lines, qsizetype start) {
    QString name;
    qsizetype i = start + 1;
    while (i < lines.size() && !EsSeccion(lines[i], &name))
        ++i;
    return i;
}

QString CortarValor(const QString& value) {
    if (value.size() <= kMaxValueLength)
        return value;
    qsizetype length = kMaxValueLength;
    if (value[length - 1].isHighSurrogate())
        --length; // never leave half of a character behind
    return value.left(length);
}

// A line break inside a value would end the line and turn the rest into lines of their own
// (even a forged "[section]"), so breaks are stored as blanks.
QString ValorDeUnaLinea(QString value) {
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

} // namespace

FicheroIni::FicheroIni(const QString& file) : file_(file) {
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        legible_ = !input.exists();
        return;
    }
    QString text = DecodificarTextoLegado(input.readAll());
    if (text.contains(QLatin1String("\r\n")))
        lineEnd_ = QStringLiteral("\r\n");
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines_ = text.split(QLatin1Char('\n'));
    if (!lines_.isEmpty() && lines_.last().isEmpty())
        lines_.removeLast();
}

QString FicheroIni::Leer(const QString& section, const QString& key,
                         const QString& defaultValue) const {
    const qsizetype start = BuscarSeccion(lines_, section);
    if (start < 0)
        return defaultValue;
    const qsizetype end = FinSeccion(lines_, start);
    for (qsizetype i = start + 1; i < end; ++i) {
        const qsizetype equals = PosicionClave(lines_[i], key);
        if (equals >= 0)
            return CortarValor(lines_[i].mid(equals + 1).trimmed());
    }
    return defaultValue;
}

void FicheroIni::Escribir(const QString& section, const QString& key, const QString& value) {
    const QString entry = key + QLatin1Char('=') + ValorDeUnaLinea(value);
    const qsizetype start = BuscarSeccion(lines_, section);
    if (start < 0) {
        if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty())
            lines_.append(QString());
        lines_.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines_.append(entry);
        return;
    }
    const qsizetype end = FinSeccion(lines_, start);
    qsizetype found = -1;
    qsizetype lastFilled = start;
    for (qsizetype i = start + 1; i < end && found < 0; ++i) {
        const qsizetype equals = PosicionClave(lines_[i], key);
        if (equals >= 0)
            found = i;
        if (!lines_[i].trimmed().isEmpty())
            lastFilled = i;
    }
    if (found >= 0) {
        const QString name = lines_[found].left(lines_[found].indexOf(QLatin1Char('='))).trimmed();
        lines_[found] = name + QLatin1Char('=') + ValorDeUnaLinea(value);
    } else {
        lines_.insert(lastFilled + 1, entry);
    }
}

bool FicheroIni::Guardar() const {
    if (!legible_)
        return false;
    QString error;
    return SustituirFichero(file_, (lines_.join(lineEnd_) + lineEnd_).toUtf8(), error);
}

QString LeerIni(const QString& file, const QString& section, const QString& key,
                const QString& defaultValue) {
    return FicheroIni(file).Leer(section, key, defaultValue);
}

bool EscribirIni(const QString& file, const QString& section, const QString& key,
                 const QString& value) {
    FicheroIni ini(file);
    ini.Escribir(section, key, value);
    return ini.Guardar();
}

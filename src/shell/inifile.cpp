#include "shell/inifile.h"

#include "shell/legacytext.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace {

// The old private-profile buffer held 1024 characters including the terminating NUL.
constexpr qsizetype kMaxValueLength = 1023;

struct IniLines {
    QStringList lines;
    QString lineEnd = QStringLiteral("\n");
};

bool CargarLineas(const QString& file, IniLines& ini) {
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        return false;
    const QString text = DecodificarTextoLegado(input.readAll());
    if (text.contains(QLatin1String("\r\n")))
        ini.lineEnd = QStringLiteral("\r\n");
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    ini.lines = normalized.split(QLatin1Char('\n'));
    if (!ini.lines.isEmpty() && ini.lines.last().isEmpty())
        ini.lines.removeLast();
    return true;
}

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

QString LeerIni(const QString& file, const QString& section, const QString& key,
                const QString& defaultValue) {
    IniLines ini;
    if (!CargarLineas(file, ini))
        return defaultValue;
    const qsizetype start = BuscarSeccion(ini.lines, section);
    if (start < 0)
        return defaultValue;
    const qsizetype end = FinSeccion(ini.lines, start);
    for (qsizetype i = start + 1; i < end; ++i) {
        const qsizetype equals = PosicionClave(ini.lines[i], key);
        if (equals >= 0)
            return CortarValor(ini.lines[i].mid(equals + 1).trimmed());
    }
    return defaultValue;
}

bool EscribirIni(const QString& file, const QString& section, const QString& key,
                 const QString& value) {
    IniLines ini;
    if (QFile::exists(file) && !CargarLineas(file, ini))
        return false; // rewriting a file we cannot read would lose its other keys
    const QString entry = key + QLatin1Char('=') + ValorDeUnaLinea(value);
    const qsizetype start = BuscarSeccion(ini.lines, section);
    if (start < 0) {
        if (!ini.lines.isEmpty() && !ini.lines.last().trimmed().isEmpty())
            ini.lines.append(QString());
        ini.lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        ini.lines.append(entry);
    } else {
        const qsizetype end = FinSeccion(ini.lines, start);
        qsizetype found = -1;
        qsizetype lastFilled = start;
        for (qsizetype i = start + 1; i < end && found < 0; ++i) {
            const qsizetype equals = PosicionClave(ini.lines[i], key);
            if (equals >= 0)
                found = i;
            if (!ini.lines[i].trimmed().isEmpty())
                lastFilled = i;
        }
        if (found >= 0) {
            const QString name =
                ini.lines[found].left(ini.lines[found].indexOf(QLatin1Char('='))).trimmed();
            ini.lines[found] = name + QLatin1Char('=') + ValorDeUnaLinea(value);
        } else {
            ini.lines.insert(lastFilled + 1, entry);
        }
    }

    const QByteArray bytes = (ini.lines.join(ini.lineEnd) + ini.lineEnd).toUtf8();
    QSaveFile output(file);
    // Unbuffered, so a short write (disk full, size limit) shows in the count: QSaveFile
    // itself would commit the truncated file.
    if (!output.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (output.write(bytes) != bytes.size())
        return false; // not committed: the temporary file is discarded, the old file stays
    return output.commit();
}

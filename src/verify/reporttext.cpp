#include "verify/reporttext.h"

#include "shell/leadingnumber.h"

QString RecortarBlancos(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == QLatin1Char(' '))
        ++start;
    while (end > start && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start);
}

QStringList LineasInforme(const QString& output) {
    QString text = output;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = RecortarBlancos(line);
    return lines;
}

QString ValorTrasSeparador(const QString& line, const QString& separator) {
    const qsizetype at = line.indexOf(separator);
    if (at < 0)
        return QString();
    return RecortarBlancos(line.mid(at + separator.size()));
}

QString NumeroTrasClave(const QString& line, const QString& keyword) {
    const qsizetype at = line.indexOf(keyword, 0, Qt::CaseInsensitive);
    if (at < 0)
        return QString();
    qsizetype i = at + keyword.size();
    while (i < line.size() && (line.at(i) == QLatin1Char('=') || line.at(i) == QLatin1Char(' ')))
        ++i;
    const QString allowed = QStringLiteral("0123456789.+-");
    const qsizetype start = i;
    while (i < line.size() && allowed.contains(line.at(i)))
        ++i;
    return line.mid(start, i - start);
}

QString ColapsarEspacios(const QString& text) {
    QString result = text;
    while (result.contains(QLatin1String("  ")))
        result.replace(QLatin1String("  "), QLatin1String(" "));
    return result;
}

bool LeerTresNumeros(const QString& text, double& a, double& b, double& c) {
    const QString collapsed = ColapsarEspacios(RecortarBlancos(text));
    if (collapsed.isEmpty())
        return false;
    const QStringList tokens = collapsed.split(QLatin1Char(' '));
    if (tokens.size() < 3)
        return false;
    a = NumeroInicial(tokens.at(0)).value_or(0.0);
    b = NumeroInicial(tokens.at(1)).value_or(0.0);
    c = NumeroInicial(tokens.at(2)).value_or(0.0);
    return true;
}

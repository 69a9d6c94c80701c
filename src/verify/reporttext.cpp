#include "verify/reporttext.h"

namespace {

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

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

double ValorInicialInforme(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    QString number;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        number += text.at(i++);
    bool digits = false;
    while (i < n && IsDigit(text.at(i))) {
        number += text.at(i++);
        digits = true;
    }
    if (i < n && text.at(i) == QLatin1Char('.')) {
        number += text.at(i++);
        while (i < n && IsDigit(text.at(i))) {
            number += text.at(i++);
            digits = true;
        }
    }
    if (!digits)
        return 0;
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0;
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
    a = ValorInicialInforme(tokens.at(0));
    b = ValorInicialInforme(tokens.at(1));
    c = ValorInicialInforme(tokens.at(2));
    return true;
}

#include "shell/leadingnumber.h"

std::optional<double> NumeroInicial(const QString& text, FormaNumero forma) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    const auto saltarBlancos = [&] {
        while (i < n && text.at(i).isSpace())
            ++i;
    };
    saltarBlancos();
    QString numero;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        numero += text.at(i++);
    bool cifras = false;
    const auto leerCifras = [&] {
        // Only ASCII digits: toDouble reads no other.
        while (i < n && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
            numero += text.at(i++);
            cifras = true;
        }
    };
    leerCifras();
    if (i < n &&
        (text.at(i) == QLatin1Char('.') || (forma.comaDecimal && text.at(i) == QLatin1Char(',')))) {
        numero += QLatin1Char('.');
        ++i;
        leerCifras();
    }
    if (!cifras)
        return std::nullopt;
    if (forma.soloNumero) {
        saltarBlancos();
        if (i < n)
            return std::nullopt;
    }
    return numero.toDouble();
}

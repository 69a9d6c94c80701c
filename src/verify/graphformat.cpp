#include "verify/graphformat.h"

#include <QLocale>

#include <cmath>

QString FormatoDecimal(double value, int decimals, bool optionalDecimals) {
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale;
    const QLocale locale;
    QString text = locale.toString(rounded, 'f', decimals);
    if (decimals > 0 && optionalDecimals) {
        const QString zero = locale.zeroDigit();
        while (text.endsWith(zero))
            text.chop(zero.size());
    }
    return text;
}

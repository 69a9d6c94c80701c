#include "lang/helpwrap.h"

#include <QStringList>

namespace {

void wrapLine(const QString& line, int limit, const std::function<int(const QString&)>& widthOf,
              QStringList& out) {
    QString current;
    for (const QString& word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (!current.isEmpty() && widthOf(candidate) > limit) {
            out.append(current);
            current = word;
        } else {
            current = candidate;
        }
    }
    if (!current.isEmpty())
        out.append(current);
}

} // namespace

QString AjustarTextoAyuda(const QString& text, int width,
                          const std::function<int(const QString&)>& widthOf) {
    const int limit = width - 16;
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    normalized.replace(QLatin1Char('\t'), QLatin1Char(' '));

    const QStringList paragraphs = normalized.split(QStringLiteral("\n\n"));
    QString result;
    for (qsizetype p = 0; p < paragraphs.size(); ++p) {
        QStringList out;
        for (const QString& rawLine : paragraphs.at(p).split(QLatin1Char('\n'))) {
            const QString line = rawLine.trimmed();
            if (line.isEmpty())
                continue;
            if (line.startsWith(QLatin1Char('*')))
                out.append(line);
            else
                wrapLine(line, limit, widthOf, out);
        }
        result += out.join(QLatin1Char('\n'));
        if (p + 1 < paragraphs.size())
            result += QStringLiteral("\n\n");
    }
    return result;
}

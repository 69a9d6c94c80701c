#include "shell/dialogfilter.h"

namespace {

QString PatronesQt(const QString& patterns) {
    QStringList list;
    for (const QString& piece : patterns.split(QLatin1Char(';'))) {
        const QString pattern = piece.trimmed();
        if (pattern.isEmpty())
            continue;
        list.append(pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
    }
    return list.join(QLatin1Char(' '));
}

// The display text without a trailing "(...)", which Qt would read as the patterns.
QString TextoSinPatrones(const QString& display) {
    const QString trimmed = display.trimmed();
    const qsizetype open = trimmed.lastIndexOf(QLatin1Char('('));
    if (trimmed.endsWith(QLatin1Char(')')) && open >= 0)
        return trimmed.left(open).trimmed();
    return trimmed;
}

} // namespace

QStringList FiltrosQt(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = PatronesQt(parts[i + 1]);
        if (patterns.isEmpty())
            continue;
        const QString text = TextoSinPatrones(parts[i]);
        filters.append(text.isEmpty() ? patterns
                                      : text + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters;
}

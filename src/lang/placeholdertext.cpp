#include "lang/placeholdertext.h"

bool IsPlaceholderText(const QString& text, const QStringList& knownTexts) {
    const QString t = text.trimmed();
    return t.isEmpty() || knownTexts.contains(t, Qt::CaseInsensitive);
}

bool IsPlaceholderCaption(const QString& caption, bool emptyIsPlaceholder) {
    if (caption.isEmpty())
        return emptyIsPlaceholder;
    return caption.startsWith(QLatin1Char('('));
}

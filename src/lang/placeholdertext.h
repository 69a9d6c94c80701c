#pragma once

#include <QString>
#include <QStringList>

// A text box still shows a default (not the user's input) when its text, trimmed, is empty or
// equals one of the known default texts ignoring letter case.
bool IsPlaceholderText(const QString& text, const QStringList& knownTexts);

// A label still shows a placeholder (not a chosen path) when its caption begins with "(";
// also when it is empty if emptyIsPlaceholder.
bool IsPlaceholderCaption(const QString& caption, bool emptyIsPlaceholder);

#pragma once

#include <QString>
#include <QStringList>

class QLineEdit;
class QWidget;

// Replaces the box's text by newText when it shows no user input: empty (after trimming) or
// equal, ignoring case, to one of knownTexts. The user's own text is kept.
void ActualizarMarcador(QLineEdit* box, const QString& newText, const QStringList& knownTexts);

// Placeholder text box: ActualizarMarcador with the key's current text, the key's text in every
// language counting as a default still to be switched.
void UpdatePlaceholderBox(QLineEdit* box, const QString& key);

// Placeholder label found by name in window: set to the key's text when its caption begins
// with "(" (or is empty, if emptyIsPlaceholder); a label showing a path is left alone.
void UpdatePlaceholderLabel(QWidget* window, const QString& label, const QString& key,
                            bool emptyIsPlaceholder = false);

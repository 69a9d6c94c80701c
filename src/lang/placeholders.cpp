#include "lang/placeholders.h"

#include "lang/controlproperty.h"
#include "lang/placeholdertext.h"
#include "lang/texto.h"

#include <QLineEdit>

void ActualizarMarcador(QLineEdit* box, const QString& newText, const QStringList& knownTexts) {
    if (box && IsPlaceholderText(box->text(), knownTexts))
        box->setText(newText);
}

void UpdatePlaceholderBox(QLineEdit* box, const QString& key) {
    ActualizarMarcador(box, Texto(key), TextosEnTodosIdiomas(key));
}

void UpdatePlaceholderLabel(QWidget* window, const QString& label, const QString& key,
                            bool emptyIsPlaceholder) {
    const QString caption = LeerPropiedad(window, label, QStringLiteral("Caption"));
    if (IsPlaceholderCaption(caption, emptyIsPlaceholder))
        AsignarPropiedad(window, label, QStringLiteral("Caption"), Texto(key));
}

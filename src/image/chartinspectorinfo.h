#pragma once

#include <QLocale>
#include <QString>

// The profile states the chart inspector names, in the current language.
struct TextosPerfilCarta {
    QString desconocido; // the profile could not be read
    QString incrustado;  // a profile without a description
    QString ninguno;     // no profile
};

// The embedded profile of the image: its description, or the state text that stands for it.
QString TextoPerfilCarta(const QString& ruta, const TextosPerfilCarta& textos);

// "W x H px | 34,35 MB | profile": the size ("-" until both are at least 1), the file's length in
// MB (1048576 bytes) with two decimals in the locale's form, and the profile text.
QString LineaPerfilCarta(int w, int h, const QString& ruta, const QString& textoPerfil,
                         const QLocale& locale = QLocale());

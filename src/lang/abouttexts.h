#pragma once

#include <QString>

// The About window's own texts in one language (they are not in the text tables).
struct TextosAcercaDe {
    QString donar;
    QString botonDonar;
    QString usaEsteSoftware;
    QString para;
    QString argyllCMS;
    QString freeImage;
};

// Texts for a language number; any number other than English, French or Italian is Spanish.
TextosAcercaDe TextosAcercaDeIdioma(int idioma);

// "Nerva Chromaflux | Acerca de..." in the current language: the program title, then the
// About menu caption without its access-key marks.
QString TituloAcercaDe();

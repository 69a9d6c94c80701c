#pragma once

#include "verify/errorparche.h"

#include <QList>
#include <QString>
#include <QStringList>

// The quantity a graph shows, by TipoGrafico.
enum TipoGrafico : int {
    GraficoDeltaE = 0,
    GraficoDeltaL = 1,
    GraficoDeltaC = 2,
    GraficoDeltaH = 3,
};

// One quantity of every patch with the names the graph prints.
struct SerieGrafico {
    QStringList ids;
    QList<double> values;
    QString title;     // "Delta-e CIE76", "Lightness", "Chroma", "Hue"
    QString shortName; // "Delta-e", "Delta-L", "Delta-C", "Delta-H"
};

// The series of the given type; any unknown type shows the total difference.
SerieGrafico SerieDeTipo(const QList<ErrorParche>& errores, int tipo);

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
    GraficoDeltaE2000 = 4,
};

// One quantity of every patch with the names the graph prints.
struct SerieGrafico {
    QStringList ids;
    QList<double> values;
    QString title;     // "Delta-e CIE76", "Lightness", "Chroma", "Hue", "Delta-E CIEDE2000"
    QString shortName; // "Delta-e", "Delta-L", "Delta-C", "Delta-H", "Delta-E00"
};

// The series of the given type; any unknown type shows the total difference.
SerieGrafico SerieDeTipo(const QList<ErrorParche>& errores, int tipo);

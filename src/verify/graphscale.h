#pragma once

#include <QColor>
#include <QList>

// Scale, labelling and colour rules of the per-patch error graph.

// Top of the value axis: 4 below 4, else the whole part of (largest + 0.999999).
int EscalaGrafico(double largest);
// Every how many patches a label is printed: 1 up to 40, 2 up to 90, 5 up to 180, else 10.
int PasoEtiquetas(int count);
// Colour of bar i: an 18-colour palette by position, so neighbours differ.
QColor ColorBarra(int index);
// Largest value, starting at 0 (so never negative).
double MaximoValores(const QList<double>& values);

#pragma once

#include <QRect>

// Where an image of w x h pixels goes when it is fitted into a box: scale = the smaller of
// the width and height ratios (the height ratio when equal; above 1 enlarges), drawn size
// rounded half to even and raised to minimo, centred (integer halves of the spare room).
struct AjusteImagen {
    double escala = 0;
    int ancho = 0; // drawn width
    int alto = 0;  // drawn height
    int izquierda = 0;
    int arriba = 0;
    QRect rectangulo() const { return QRect(izquierda, arriba, ancho, alto); }
};

// w and h must be above 0.
AjusteImagen CalcularAjuste(int w, int h, int anchoCaja, int altoCaja, int minimo = 1);

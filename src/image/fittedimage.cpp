#include "image/fittedimage.h"

#include <cmath>

AjusteImagen CalcularAjuste(int w, int h, int anchoCaja, int altoCaja, int minimo) {
    const double rx = double(anchoCaja) / w;
    const double ry = double(altoCaja) / h;
    AjusteImagen ajuste;
    ajuste.escala = rx < ry ? rx : ry;
    // nearbyint rounds half to even in the default rounding mode.
    ajuste.ancho = std::max(minimo, int(std::nearbyint(w * ajuste.escala)));
    ajuste.alto = std::max(minimo, int(std::nearbyint(h * ajuste.escala)));
    ajuste.izquierda = (anchoCaja - ajuste.ancho) / 2;
    ajuste.arriba = (altoCaja - ajuste.alto) / 2;
    return ajuste;
}

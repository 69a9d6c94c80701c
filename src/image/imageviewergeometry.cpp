#include "image/imageviewergeometry.h"

#include <algorithm>
#include <cmath>

QSize AreaDisponible(const EntornoVisor& entorno) {
    QSize area =
        entorno.usarInterior
            ? entorno.interior
            : QSize(entorno.pantalla.width() - entorno.borde.width(),
                    entorno.pantalla.height() - entorno.borde.height() - entorno.reservaAlto);
    return area.expandedTo(QSize(1, 1));
}

QSize AreaAjustada(QSize imagen, QSize disponible) {
    if (imagen.width() <= disponible.width() && imagen.height() <= disponible.height())
        return imagen;
    const double w = imagen.width();
    const double h = imagen.height();
    const double escala = double(disponible.width()) / disponible.height() < w / h
                              ? disponible.width() / w
                              : disponible.height() / h;
    // Halves go to the even neighbour.
    return QSize(std::max(1, int(std::nearbyint(w * escala))),
                 std::max(1, int(std::nearbyint(h * escala))));
}

QSize AreaUnoAUno(QSize imagen, QSize disponible) {
    return imagen.boundedTo(disponible);
}

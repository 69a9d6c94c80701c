#pragma once

#include <QSize>

// What the full image viewer's layout knows of its window and screen, in pixels.
struct EntornoVisor {
    QSize pantalla;            // the screen
    QSize borde;               // the window's outer size less its inner size
    QSize interior;            // the window's inner size
    int reservaAlto = 0;       // kept free below the window (800 layout units)
    bool usarInterior = false; // maximised, or following the user's resizing
};

// The room for the picture: the screen less the window's border (and the reserve below), or
// the window's inner size when it is maximised or being resized; each at least 1.
QSize AreaDisponible(const EntornoVisor& entorno);

// The fit view's picture area: the image's own size when it fits, else the image scaled with
// its aspect kept to the available width or height, whichever limits (rounded, at least 1).
QSize AreaAjustada(QSize imagen, QSize disponible);

// The 1:1 view's picture area: the image's size limited to the available room.
QSize AreaUnoAUno(QSize imagen, QSize disponible);

#pragma once

#include <QPoint>
#include <QPointF>

// Where the chart inspector drew the image inside picCarta, and the point it follows, as a
// fraction (0..1) of the drawn image.
class PuntoCarta {
public:
    // The drawn image: top-left corner and size in picCarta pixels (size 0 when not drawn).
    void dibujada(int offsetX, int offsetY, int ancho, int alto);
    void borrar() { dibujada(0, 0, 0, 0); }

    // Whether the picCarta point lies on the drawn image.
    bool DentroDeImagen(QPointF p) const;
    // Over the drawn image the point follows the pointer; elsewhere it stays.
    void ActualizarPuntoCarta(QPointF p);
    // The picCarta pixel of a relative point, each fraction clamped to 0..0.999999, on the
    // drawn image.
    QPoint PosicionPunto(double fx, double fy) const;

    double fx = 0.5;
    double fy = 0.5;
    int offsetX() const { return offsetX_; }
    int offsetY() const { return offsetY_; }
    int ancho() const { return ancho_; }
    int alto() const { return alto_; }

private:
    int offsetX_ = 0;
    int offsetY_ = 0;
    int ancho_ = 0;
    int alto_ = 0;
};

#include "image/chartinspectorpoint.h"

#include <algorithm>
#include <cmath>

void PuntoCarta::dibujada(int offsetX, int offsetY, int ancho, int alto) {
    offsetX_ = offsetX;
    offsetY_ = offsetY;
    ancho_ = ancho;
    alto_ = alto;
}

bool PuntoCarta::DentroDeImagen(QPointF p) const {
    return ancho_ > 0 && alto_ > 0 && p.x() >= offsetX_ && p.x() <= offsetX_ + ancho_ - 1 &&
           p.y() >= offsetY_ && p.y() <= offsetY_ + alto_ - 1;
}

void PuntoCarta::ActualizarPuntoCarta(QPointF p) {
    if (!DentroDeImagen(p))
        return;
    fx = (p.x() - offsetX_) / ancho_;
    fy = (p.y() - offsetY_) / alto_;
}

QPoint PuntoCarta::PosicionPunto(double fxPunto, double fyPunto) const {
    const double x = std::clamp(fxPunto, 0.0, 0.999999);
    const double y = std::clamp(fyPunto, 0.0, 0.999999);
    // Rounding a fraction near 1 gives the drawn size itself, one past the last drawn pixel.
    return QPoint(std::min(int(std::nearbyint(ancho_ * x)), std::max(ancho_ - 1, 0)) + offsetX_,
                  std::min(int(std::nearbyint(alto_ * y)), std::max(alto_ - 1, 0)) + offsetY_);
}

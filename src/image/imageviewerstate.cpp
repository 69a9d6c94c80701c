#include "image/imageviewerstate.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Halves go to the even neighbour.
int Redondear(double v) {
    return int(std::nearbyint(v));
}

// The remembered coordinate for a relative position f of an image n pixels long.
int Marca(double f, int n) {
    return std::min(Redondear(f * n), n - 1);
}

bool Relativa(double f) {
    return f >= 0 && f < 1;
}

} // namespace

void EstadoVisor::abrir(int w, int h, double fx, double fy) {
    cerrar();
    imagen_ = QSize(w, h);
    if (Relativa(fx) && Relativa(fy))
        marca_ = QPoint(Marca(fx, w), Marca(fy, h));
}

void EstadoVisor::cerrar() {
    *this = EstadoVisor();
}

QPoint EstadoVisor::maxScroll() const {
    return QPoint(std::max(0, imagen_.width() - area_.width()),
                  std::max(0, imagen_.height() - area_.height()));
}

QPoint EstadoVisor::limitar(QPoint s) const {
    const QPoint maximo = maxScroll();
    return QPoint(std::clamp(s.x(), 0, maximo.x()), std::clamp(s.y(), 0, maximo.y()));
}

void EstadoVisor::ponerUnoAUno(int cx, int cy) {
    modo_ = ModoVisor::UnoAUno;
    if (cx >= 0)
        scroll_.setX(cx - area_.width() / 2);
    if (cy >= 0)
        scroll_.setY(cy - area_.height() / 2);
    scroll_ = limitar(scroll_);
}

std::optional<QPoint> EstadoVisor::PuntoImagen(QPointF p) const {
    if (!hayImagen())
        return std::nullopt;
    QPoint punto;
    if (modo_ == ModoVisor::UnoAUno) {
        punto = QPoint(Redondear(p.x()) + scroll_.x(), Redondear(p.y()) + scroll_.y());
    } else {
        if (area_.width() <= 0 || area_.height() <= 0)
            return std::nullopt;
        punto = QPoint(Redondear(p.x() / area_.width() * imagen_.width()),
                       Redondear(p.y() / area_.height() * imagen_.height()));
    }
    return QPoint(std::clamp(punto.x(), 0, imagen_.width() - 1),
                  std::clamp(punto.y(), 0, imagen_.height() - 1));
}

void EstadoVisor::pulsar(QPointF p, Qt::MouseButton boton, std::uint32_t ahora) {
    // Unsigned subtraction measures across the counter's wrap.
    if (ahora - ultimaPulsacion_ > 400u) {
        if (const std::optional<QPoint> punto = PuntoImagen(p))
            marca_ = *punto;
    }
    ultimaPulsacion_ = ahora;
    if (boton == Qt::LeftButton && modo_ == ModoVisor::UnoAUno) {
        arrastrando_ = true;
        movido_ = false;
        inicioArrastre_ = p;
        scrollInicio_ = scroll_;
    }
}

bool EstadoVisor::mover(QPointF p) {
    if (!arrastrando_)
        return false;
    const QPoint d(Redondear(p.x() - inicioArrastre_.x()), Redondear(p.y() - inicioArrastre_.y()));
    if (d.x() != 0 || d.y() != 0)
        movido_ = true;
    const QPoint nuevo = limitar(scrollInicio_ - d);
    if (nuevo == scroll_)
        return false;
    scroll_ = nuevo;
    return true;
}

AccionVisor EstadoVisor::dobleClick(QPointF p, Qt::MouseButton boton, std::uint32_t ahora) {
    pulsar(p, boton, ahora);
    doble_ = true;
    if (boton != Qt::LeftButton || !hayImagen() || !hayMarca())
        return {};
    return {AccionVisor::UnoAUno, marca_};
}

AccionVisor EstadoVisor::soltar(Qt::MouseButton boton) {
    if (arrastrando_) {
        arrastrando_ = false;
        if (movido_)
            tragarClick_ = true;
        movido_ = false;
    }
    const bool doble = doble_;
    doble_ = false;
    if (boton != Qt::LeftButton || doble)
        return {};
    return click();
}

AccionVisor EstadoVisor::click() {
    if (tragarClick_) {
        tragarClick_ = false;
        return {};
    }
    if (!hayImagen())
        return {};
    if (modo_ == ModoVisor::UnoAUno)
        return {AccionVisor::Ajustar};
    return {AccionVisor::UnoAUno, hayMarca() ? marca_ : QPoint(-1, -1)};
}

bool EstadoVisor::rueda(int delta, int lineas) {
    if (modo_ != ModoVisor::UnoAUno || maxScroll().y() <= 0)
        return false;
    const int muescas = std::max(1, std::abs(delta) / 120);
    // Below 1 includes the "one screen per notch" setting.
    const int paso = lineas < 1 ? 3 : lineas * muescas;
    const int y = scroll_.y() + (delta > 0 ? -paso * 20 : paso * 20);
    const QPoint nuevo = limitar(QPoint(scroll_.x(), y));
    if (nuevo == scroll_)
        return false;
    scroll_ = nuevo;
    return true;
}

QString EstadoVisor::titulo(const QString& nombreFichero) const {
    return QStringLiteral("%1  (%2 x %3 px)")
               .arg(nombreFichero)
               .arg(imagen_.width())
               .arg(imagen_.height()) +
           (modo_ == ModoVisor::UnoAUno ? QStringLiteral(" [1:1]") : QString());
}

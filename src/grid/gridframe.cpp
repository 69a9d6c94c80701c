#include "grid/gridframe.h"

#include "lang/texto.h"

#include <cmath>
#include <cstdlib>

namespace {

// The corners each side handle joins: top, right, bottom, left.
constexpr std::array<std::array<int, 2>, 4> kLados{{{0, 1}, {1, 2}, {2, 3}, {0, 3}}};

int RedondeoPar(double value) {
    // nearbyint rounds halves to even in the default rounding mode.
    return int(std::nearbyint(value));
}

double Limitar(double value, int size) {
    if (value < 0)
        return 0;
    if (value > size - 1)
        return size - 1;
    return value;
}

} // namespace

void MarcoAjuste::AsignarDibujo(int anchoImagen, int altoImagen, int anchoDibujo, int altoDibujo,
                                int anchoArea, int altoArea) {
    AnchoImagen = anchoImagen;
    AltoImagen = altoImagen;
    AnchoDibujo = anchoDibujo;
    AltoDibujo = altoDibujo;
    // Integer division truncates toward zero, as the halving must.
    MargenX = (anchoArea - anchoDibujo) / 2;
    MargenY = (altoArea - altoDibujo) / 2;
}

void MarcoAjuste::ReiniciarPuntos() {
    if (!TieneTamano())
        return;
    const double w = AnchoImagen;
    const double h = AltoImagen;
    PuntosX = {0.05 * w, 0.95 * w, 0.95 * w, 0.05 * w};
    PuntosY = {0.05 * h, 0.05 * h, 0.95 * h, 0.95 * h};
}

QPoint MarcoAjuste::ImagenAPantalla(double x, double y) const {
    const double sx = double(AnchoDibujo) / AnchoImagen;
    const double sy = double(AltoDibujo) / AltoImagen;
    return QPoint(RedondeoPar(sx * x) + MargenX, RedondeoPar(sy * y) + MargenY);
}

QPointF MarcoAjuste::PantallaAImagen(int x, int y) const {
    return QPointF(double(x - MargenX) * AnchoImagen / AnchoDibujo,
                   double(y - MargenY) * AltoImagen / AltoDibujo);
}

QPoint MarcoAjuste::PosicionTirador(int tirador) const {
    if (tirador < 4)
        return ImagenAPantalla(PuntosX[tirador], PuntosY[tirador]);
    const auto& [a, b] = kLados[tirador - 4];
    const QPoint pa = PosicionTirador(a);
    const QPoint pb = PosicionTirador(b);
    return QPoint((pa.x() + pb.x()) / 2, (pa.y() + pb.y()) / 2);
}

int MarcoAjuste::TiradorEn(int x, int y) const {
    if (AnchoImagen < 1 || AltoImagen < 1 || AnchoDibujo < 1 || AltoDibujo < 1)
        return -1;
    for (int t = 0; t < kNumTiradores; ++t) {
        const QPoint p = PosicionTirador(t);
        if (std::abs(p.x() - x) <= kRadioAgarre && std::abs(p.y() - y) <= kRadioAgarre)
            return t;
    }
    return -1;
}

bool MarcoAjuste::EsLadoVertical(int tirador) {
    return tirador == 5 || tirador == 7;
}

QString MarcoAjuste::EtiquetaTirador(int tirador) {
    static const char* const kEtiquetas[kNumTiradores] = {
        "grid.handle.tl",  "grid.handle.tr",    "grid.handle.br",     "grid.handle.bl",
        "grid.handle.top", "grid.handle.right", "grid.handle.bottom", "grid.handle.left"};
    return tirador >= 0 && tirador < kNumTiradores ? Texto(QString::fromLatin1(kEtiquetas[tirador]))
                                                   : QString();
}

void MarcoAjuste::LimitarAImagen(double& x, double& y) const {
    x = Limitar(x, AnchoImagen);
    y = Limitar(y, AltoImagen);
}

void MarcoAjuste::MoverEsquina(int tirador, double x, double y) {
    if (tirador < 0 || tirador > 3)
        return;
    LimitarAImagen(x, y);
    PuntosX[tirador] = x;
    PuntosY[tirador] = y;
}

void MarcoAjuste::MoverLado(int tirador, double x, double y) {
    if (tirador < 4 || tirador >= kNumTiradores)
        return;
    LimitarAImagen(x, y);
    const auto& [a, b] = kLados[tirador - 4];
    if (EsLadoVertical(tirador)) {
        PuntosX[a] = x;
        PuntosX[b] = x;
    } else {
        PuntosY[a] = y;
        PuntosY[b] = y;
    }
}

void MarcoAjuste::Pulsar(Qt::MouseButton boton, int x, int y) {
    if (boton == Qt::LeftButton)
        TiradorActivo = TiradorEn(x, y);
}

MarcoAjuste::Movimiento MarcoAjuste::Mover(int x, int y) {
    Movimiento m;
    if (TiradorActivo < 0) {
        m.puntero = PunteroTirador(TiradorEn(x, y));
        return m;
    }
    const QPointF p = PantallaAImagen(x, y);
    if (TiradorActivo >= 4) {
        MoverLado(TiradorActivo, p.x(), p.y());
    } else {
        m.puntero = Qt::SizeAllCursor;
        MoverEsquina(TiradorActivo, p.x(), p.y());
    }
    m.redibujar = true;
    return m;
}

Qt::CursorShape MarcoAjuste::PunteroTirador(int tirador) {
    if (tirador >= 0 && tirador < 4)
        return Qt::SizeAllCursor;
    if (EsLadoVertical(tirador))
        return Qt::SizeHorCursor;
    if (tirador == 4 || tirador == 6)
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

QPoint PixelRaton(const QPointF& position) {
    return QPoint(RedondeoPar(position.x()), RedondeoPar(position.y()));
}

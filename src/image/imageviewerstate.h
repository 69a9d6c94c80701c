#pragma once

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>

enum class ModoVisor { Ajustado, UnoAUno };

// What the viewer window does after a click or double-click.
struct AccionVisor {
    enum Tipo { Nada, Ajustar, UnoAUno };
    Tipo tipo = Nada;
    QPoint centro{-1, -1}; // for UnoAUno: image point to centre, -1 keeps that scroll
};

// The full image viewer's state apart from its window: image size, mode, 1:1 scroll, the
// remembered point and the mouse (press timing, drag, swallowed click). Positions are in
// picture-area pixels, scroll and mark in image pixels.
class EstadoVisor {
public:
    // A new image of w x h pixels in fit mode; fx, fy (each 0 <= f < 1) give the point to
    // remember, anything else none.
    void abrir(int w, int h, double fx, double fy);
    // No image; mode, scroll and mark back to their start.
    void cerrar();

    bool hayImagen() const { return imagen_.width() > 0 && imagen_.height() > 0; }
    QSize imagen() const { return imagen_; }
    ModoVisor modo() const { return modo_; }
    QPoint scroll() const { return scroll_; }
    QPoint marca() const { return marca_; }
    bool hayMarca() const { return marca_.x() >= 0 && marca_.y() >= 0; }

    // The picture area's size in pixels, set by each layout.
    void fijarArea(QSize area) { area_ = area; }
    QSize area() const { return area_; }
    // max(0, image size - area size) in each direction.
    QPoint maxScroll() const;

    void ponerAjustado() { modo_ = ModoVisor::Ajustado; }
    // 1:1 mode with the image point (cx, cy) brought to the centre of the area (a coordinate
    // of -1 keeps that scroll), then the scroll clamped.
    void ponerUnoAUno(int cx, int cy);

    // The image pixel under an area point, clamped to the image; none without an image or,
    // in fit mode, without an area.
    std::optional<QPoint> PuntoImagen(QPointF p) const;

    // A button press at p at time ahora (milliseconds, wrapping). A press more than 400 ms
    // after the previous one remembers its image point; a left press in 1:1 starts a drag.
    void pulsar(QPointF p, Qt::MouseButton boton, std::uint32_t ahora);
    // The second press of a double-click: a press, then with the left button 1:1 centred on
    // the mark when there is one. The release that follows makes no click.
    AccionVisor dobleClick(QPointF p, Qt::MouseButton boton, std::uint32_t ahora);
    // Pointer moved with the left button held: the image follows it. True when the scroll
    // changed and the area must be painted again.
    bool mover(QPointF p);
    // A button released: ends a drag; a left release makes a click, which toggles fit and 1:1
    // (centred on the mark) unless it ends a drag that moved.
    AccionVisor soltar(Qt::MouseButton boton);
    // One wheel event in 1:1 mode: delta in 120ths of a notch (positive away from the user),
    // lineas the user's lines per notch. True when the scroll changed.
    bool rueda(int delta, int lineas);

    // The caption: "name  (W x H px)", with " [1:1]" in 1:1 mode.
    QString titulo(const QString& nombreFichero) const;

private:
    QPoint limitar(QPoint scroll) const;
    AccionVisor click();

    QSize imagen_;
    QSize area_;
    ModoVisor modo_ = ModoVisor::Ajustado;
    QPoint scroll_;
    QPoint marca_{-1, -1};
    std::uint32_t ultimaPulsacion_ = 0;
    bool arrastrando_ = false;
    bool movido_ = false;
    QPointF inicioArrastre_;
    QPoint scrollInicio_;
    bool tragarClick_ = false;
    bool doble_ = false; // the button is down for the second press of a double-click
};

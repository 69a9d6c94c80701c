#include "grid/cajaimagen.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

CajaImagen::CajaImagen(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(64, 64);
}

void CajaImagen::MostrarImagen(const QImage& image) {
    image_ = image;
    update();
}

void CajaImagen::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    // Only what the picture does not cover is cleared.
    for (const QRect& rest : QRegion(area).subtracted(QRegion(image_.rect())))
        painter.fillRect(rest, Qt::black);
    painter.drawImage(area.topLeft(), image_, area);
}

void CajaImagen::mousePressEvent(QMouseEvent* event) {
    emit Pulsado(event->button(), event->position());
}

void CajaImagen::mouseMoveEvent(QMouseEvent* event) {
    emit Movido(event->position());
}

void CajaImagen::mouseReleaseEvent(QMouseEvent* event) {
    emit Soltado(event->button(), event->position());
}

void CajaImagen::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit TamanoCambiado();
}

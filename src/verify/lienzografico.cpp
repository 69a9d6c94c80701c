#include "verify/lienzografico.h"

#include <QMouseEvent>
#include <QPainter>

LienzoGrafico::LienzoGrafico(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LienzoGrafico::MostrarImagen(const QImage& image) {
    image_ = image;
    update();
}

void LienzoGrafico::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawImage(0, 0, image_);
}

void LienzoGrafico::mouseMoveEvent(QMouseEvent* event) {
    emit PunteroMovido(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

void LienzoGrafico::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit TamanoCambiado();
}

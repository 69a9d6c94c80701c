#pragma once

#include <QImage>
#include <QWidget>

// A picture box for the grid windows: shows a finished picture as it is (repaints never redraw
// it) and reports presses, moves (also without a button) and releases with their exact
// positions, and size changes.
class CajaImagen : public QWidget {
    Q_OBJECT

public:
    explicit CajaImagen(QWidget* parent = nullptr);

    void MostrarImagen(const QImage& image);
    const QImage& Imagen() const { return image_; }

signals:
    void Pulsado(Qt::MouseButton button, const QPointF& pos);
    void Movido(const QPointF& pos);
    void Soltado(Qt::MouseButton button, const QPointF& pos);
    void TamanoCambiado();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage image_;
};

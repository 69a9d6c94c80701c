#pragma once

#include <QImage>
#include <QWidget>

// Shows a finished graph image as it is (repaints never redraw the graph) and reports pointer
// moves and size changes, so the window can update the hover readout or redraw at a new size.
class LienzoGrafico : public QWidget {
    Q_OBJECT

public:
    explicit LienzoGrafico(QWidget* parent = nullptr);

    void MostrarImagen(const QImage& image);
    const QImage& Imagen() const { return image_; }

signals:
    void PunteroMovido(const QPoint& pos);
    void TamanoCambiado();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage image_;
};

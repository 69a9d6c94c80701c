#pragma once

#include "verify/graphseries.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>

// One drawn bar: its pixel columns x0..x1 (inclusive) and the value it shows.
struct BarraGrafico {
    int x0 = 0;
    int x1 = 0;
    double value = 0;
};

// One printed patch label: the patch's index and the top-left corner of its text.
struct EtiquetaGrafico {
    int index = 0;
    QPoint topLeft;
};

// The per-patch error bar graph, drawn once per request into an image that the window only
// shows; the hover readout reads the geometry kept from the drawing, never the pixels.
class GraficoErrores {
public:
    static constexpr int kLeft = 58; // plot left edge
    static constexpr int kTop = 14;  // plot top edge

    // Draws the series on black into a fresh image of the given size.
    void Dibujar(const QSize& size, const SerieGrafico& serie);
    // The text on black instead of a graph; the geometry is cleared.
    void MostrarMensaje(const QSize& size, const QString& text);
    // Hover text at a pixel: "A01 | Delta-e: 2.345" over a bar, else empty.
    QString Lectura(const QPoint& pos) const;

    const QImage& Imagen() const { return image_; }
    const QList<BarraGrafico>& Barras() const { return bars_; }
    const QList<EtiquetaGrafico>& Etiquetas() const { return labels_; }
    int PlotTop() const { return plotTop_; }
    int PlotBottom() const { return plotBottom_; }
    // Short name of the drawn quantity; empty while a message is shown.
    const QString& Nombre() const { return name_; }

private:
    void Limpiar(const QSize& size);

    QImage image_;
    QStringList ids_;
    QList<BarraGrafico> bars_;
    QList<EtiquetaGrafico> labels_;
    int plotTop_ = 0;
    int plotBottom_ = 0;
    QString name_;
};

#include "image/histogramdrawing.h"

#include "image/histogram.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kIzquierda = 42; // room for the count labels
constexpr int kArriba = 8;

// Halves go to the even neighbour.
int Redondear(double v) {
    return int(std::nearbyint(v));
}

// Corners inclusive, as the box is drawn on screen.
void Rellenar(QPainter& pintor, int x1, int y1, int x2, int y2, const QColor& color) {
    pintor.fillRect(QRect(QPoint(x1, y1), QPoint(x2, y2)), color);
}

void Marco(QPainter& pintor, int x1, int y1, int x2, int y2, const QColor& color) {
    Rellenar(pintor, x1, y1, x2, y1, color);
    Rellenar(pintor, x1, y2, x2, y2, color);
    Rellenar(pintor, x1, y1, x1, y2, color);
    Rellenar(pintor, x2, y1, x2, y2, color);
}

// Text whose top-left corner is at (x, y).
void Texto(QPainter& pintor, int x, int y, const QString& texto) {
    pintor.drawText(QRect(x, y, 1000, 1000), Qt::AlignLeft | Qt::AlignTop, texto);
}

// A small font in which the largest count fits the room left of the plot (down to 7 pixels
// high: longer counts run into the frame).
QFont FuenteEtiquetas(const QString& maximo) {
    QFont fuente;
    for (int alto = 10; alto >= 7; --alto) {
        fuente.setPixelSize(alto);
        if (QFontMetrics(fuente).horizontalAdvance(maximo) <= kIzquierda - 2)
            break;
    }
    return fuente;
}

} // namespace

void DibujarHistograma(QImage& imagen, const Histograma* histograma) {
    imagen.fill(Qt::white);
    if (!histograma || histograma->maximo < 1)
        return;
    const int pw = imagen.width() - kIzquierda - 8;
    const int ph = imagen.height() - kArriba - 52;
    const int rt = ph + 16; // ramp top
    const int ly = ph + 30; // label line
    if (pw < 32 || ph < 20)
        return;

    QPainter pintor(&imagen);
    Marco(pintor, kIzquierda, kArriba, kIzquierda + pw, ph + kArriba, Qt::black);
    // One scale for the combined bars and the channel lines, so no line leaves the plot.
    const std::uint32_t escala = std::max(histograma->maximo, histograma->maximoCanales);
    const double maximo = escala;
    for (int i = 0; i < 256; ++i) {
        const int x1 = kIzquierda + Redondear(pw * i / 256.0);
        int x2 = kIzquierda + Redondear(pw * (i + 1) / 256.0);
        if (x2 <= x1)
            x2 = x1 + 1;
        const int b = Redondear(histograma->cuentas[std::size_t(i)] / maximo * (ph - 2));
        if (b > 0)
            Rellenar(pintor, x1, kArriba + ph - b, x2 - 1, ph + 7, QColor(120, 120, 120));
        Rellenar(pintor, x1, rt, x2 - 1, rt + 10, QColor(i, i, i));
    }
    Marco(pintor, kIzquierda, rt, kIzquierda + pw, rt + 10, Qt::black);

    // Red, green and blue as lines over the combined bars.
    if (histograma->maximoCanales > 0) {
        const QColor colores[3] = {QColor(220, 0, 0), QColor(0, 170, 0), QColor(0, 0, 230)};
        for (int c = 0; c < 3; ++c) {
            QPolygon linea;
            for (int i = 0; i < 256; ++i) {
                const int b = Redondear(histograma->canales[std::size_t(c)][std::size_t(i)] /
                                        maximo * (ph - 2));
                // Mid-bin columns; one pixel above the frame's bottom line at a count of 0.
                linea << QPoint(kIzquierda + int(pw * (i + 0.5) / 256.0), kArriba + ph - 1 - b);
            }
            pintor.setPen(colores[c]);
            pintor.drawPolyline(linea);
        }
    }

    pintor.setPen(Qt::black);
    pintor.setFont(FuenteEtiquetas(QString::number(escala)));
    // The bars divide the width by 256, the level labels by 255.
    const auto nivel = [pw](int n) { return kIzquierda + Redondear(pw * n / 255.0); };
    Texto(pintor, 0, 0, QString::number(escala));
    Texto(pintor, 0, ph / 2 + 2, QString::number(escala / 2));
    Texto(pintor, 40, ly, QStringLiteral("0"));
    Texto(pintor, nivel(64) - 8, ly, QStringLiteral("64"));
    Texto(pintor, nivel(128) - 10, ly, QStringLiteral("128"));
    Texto(pintor, nivel(192) - 10, ly, QStringLiteral("192"));
    Texto(pintor, kIzquierda + pw - 16, ly, QStringLiteral("255"));
}

#include "verify/errorgraph.h"

#include "verify/graphformat.h"
#include "verify/graphscale.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Nearest integer, halves to the even neighbour.
int Nint(double x) {
    return static_cast<int>(std::nearbyint(x));
}

QFont GraphFont(int points) {
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(points);
    return font;
}

// Text with its top-left corner at (x, y), on one line.
void PrintAt(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(QRect(x, y, 4000, 200), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     text);
}

} // namespace

void GraficoErrores::Limpiar(const QSize& size) {
    image_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.fill(Qt::black);
    ids_.clear();
    bars_.clear();
    labels_.clear();
    plotTop_ = 0;
    plotBottom_ = 0;
    name_.clear();
}

void GraficoErrores::MostrarMensaje(const QSize& size, const QString& text) {
    Limpiar(size);
    QPainter painter(&image_);
    painter.setFont(GraphFont(9));
    painter.setPen(QColor(224, 224, 224));
    // Wrapped inside the picture so a narrow window still shows the whole text.
    painter.drawText(QRect(12, 12, std::max(1, image_.width() - 24), image_.height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
}

void GraficoErrores::Dibujar(const QSize& size, const SerieGrafico& serie) {
    Limpiar(size);
    const int W = image_.width();
    const int H = image_.height();
    const int L = kLeft;
    const int T = kTop;
    const int PW = W - 68;
    const int PH = H - 56;
    const int B = H - 42;
    const int n = static_cast<int>(serie.values.size());

    double sum = 0;
    for (double v : serie.values)
        sum += v;
    const double largest = MaximoValores(serie.values);
    const double average = n > 0 ? sum / n : 0;
    const int M = EscalaGrafico(largest);

    QPainter painter(&image_);
    painter.setFont(GraphFont(8));
    for (int k = 0; k <= 4; ++k) {
        const double v = static_cast<double>(M) / 4 * k;
        const int y = B - Nint(v / M * PH);
        painter.setPen(QColor(48, 48, 48));
        painter.drawLine(L, y, L + PW, y);
        painter.setPen(QColor(210, 210, 210));
        PrintAt(painter, 4, y - 7, FormatoDecimal(v, 1, true));
    }
    painter.setPen(QColor(34, 34, 34));
    for (int k = 0; k <= 4; ++k) {
        const int x = Nint(static_cast<double>(PW) / 4 * k) + L;
        painter.drawLine(x, T, x, B);
    }
    painter.setPen(QColor(110, 110, 110));
    painter.drawLine(L, T, L, B);
    painter.drawLine(L, B, L + PW, B);

    double w = n > 0 ? static_cast<double>(PW) / n : 1;
    if (w < 1)
        w = 1;
    for (int i = 0; i < n; ++i) {
        const double value = serie.values[i];
        const int x0 = Nint(i * w) + L;
        const int x1 = std::max(x0, Nint((i + 1) * w) + L - 1);
        const int y = std::min(B - 1, B - Nint(value / M * PH));
        painter.fillRect(QRect(QPoint(x0, y), QPoint(x1, B - 1)), ColorBarra(i));
        if (x1 - x0 > 2) {
            painter.setPen(QColor(20, 20, 20));
            painter.drawRect(QRect(x0, y, x1 - x0, B - 1 - y));
        }
        bars_.append(BarraGrafico{x0, x1, value});
    }
    ids_ = serie.ids;
    plotTop_ = T;
    plotBottom_ = B - 1;
    name_ = serie.shortName;

    painter.setFont(GraphFont(7));
    painter.setPen(QColor(170, 170, 170));
    const int step = PasoEtiquetas(n);
    for (int i = 0; i < n && i < ids_.size(); i += step) {
        const QPoint at(std::max(L, Nint((i + 0.5) * w) + L - 10), B + 3);
        PrintAt(painter, at.x(), at.y(), ids_[i]);
        labels_.append(EtiquetaGrafico{i, at});
    }

    painter.setFont(GraphFont(8));
    painter.setPen(QColor(220, 220, 220));
    const int legendY = H - 16;
    PrintAt(painter, L, legendY,
            serie.shortName + QStringLiteral(" AVG:  ") + FormatoDecimal(average, 1, false));
    PrintAt(painter, L + 220, legendY,
            serie.shortName + QStringLiteral(" Max:  ") +
                FormatoDecimal(MaximoValores(serie.values), 1, false));
    PrintAt(painter, L + 440, legendY,
            serie.title + QStringLiteral(" | parches: ") + QString::number(n));
}

QString GraficoErrores::Lectura(const QPoint& pos) const {
    if (ids_.isEmpty() || bars_.isEmpty())
        return QString();
    if (pos.y() < plotTop_ || pos.y() > plotBottom_)
        return QString();
    for (qsizetype i = 0; i < bars_.size(); ++i) {
        const BarraGrafico& bar = bars_[i];
        if (bar.x0 <= pos.x() && pos.x() <= bar.x1) {
            const QString id = i < ids_.size() ? ids_[i] : QString();
            return id + QStringLiteral(" | ") + name_ + QStringLiteral(": ") +
                   FormatoDecimal(bar.value, 3, false);
        }
    }
    return QString();
}

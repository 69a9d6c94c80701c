#include "grid/gridoverlay.h"

#include "grid/gridframe.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kContorno(0, 0, 0, 170);
constexpr int kGrosor = 2;

QFont FuenteEtiqueta() {
    QFont font;
    font.setBold(true);
    font.setPixelSize(13);
    return font;
}

} // namespace

void DibujarMarco(QPainter& painter, const MarcoAjuste& marco) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    QPoint esquinas[4];
    for (int i = 0; i < 4; ++i)
        esquinas[i] = marco.PosicionTirador(i);
    // The dark outline first, the yellow line over it.
    for (const QColor& color : {kContorno, kColorMarco}) {
        painter.setPen(QPen(color, color == kContorno ? kGrosor + 2 : kGrosor, Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolygon(esquinas, 4);
    }
    for (int t = 0; t < MarcoAjuste::kNumTiradores; ++t)
        DibujarTirador(painter, marco.PosicionTirador(t), MarcoAjuste::EtiquetaTirador(t));
    painter.restore();
}

void DibujarTirador(QPainter& painter, const QPoint& centro, const QString& etiqueta) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    for (const QColor& color : {kContorno, kColorBordeTirador}) {
        painter.setPen(QPen(color, color == kContorno ? kGrosor + 2 : kGrosor));
        painter.drawEllipse(QPointF(centro), kRadioTirador, kRadioTirador);
    }

    const QFont font = FuenteEtiqueta();
    const QFontMetrics metrics(font);
    QPainterPath texto;
    texto.addText(QPointF(centro.x() + 10, centro.y() - 8 + metrics.ascent()), font, etiqueta);
    painter.strokePath(texto, QPen(kContorno, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(texto, kColorMarco);
    painter.restore();
}

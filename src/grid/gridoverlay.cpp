#include "grid/gridoverlay.h"

#include "grid/gridframe.h"

#include <QFontMetrics>
#include <QImage>
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

void DibujarLupa(QPainter& painter, const QImage& completa, const QPointF& punto,
                 const QPoint& cerca, const QSize& area) {
    constexpr int kMargen = 4;
    QRect caja(kMargen, kMargen, kLadoLupa, kLadoLupa);
    if (caja.adjusted(0, 0, 2 * kRadioTirador, 2 * kRadioTirador).contains(cerca))
        caja.moveRight(area.width() - 1 - kMargen);
    const double visto = double(kLadoLupa) / kAumentoLupa;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(caja, Qt::black);
    painter.drawImage(QRectF(caja), completa,
                      QRectF(punto.x() - visto / 2, punto.y() - visto / 2, visto, visto));
    // The crosshair stops short of the centre, which stays in sight.
    const QPoint c = caja.center();
    const int hueco = kAumentoLupa * 2;
    for (const QColor& color : {kContorno, kColorMarco}) {
        painter.setPen(QPen(color, color == kContorno ? 3 : 1));
        painter.drawLine(caja.left(), c.y(), c.x() - hueco, c.y());
        painter.drawLine(c.x() + hueco, c.y(), caja.right(), c.y());
        painter.drawLine(c.x(), caja.top(), c.x(), c.y() - hueco);
        painter.drawLine(c.x(), c.y() + hueco, c.x(), caja.bottom());
    }
    painter.setPen(QPen(kColorBordeTirador, kGrosor));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(caja);
    painter.restore();
}

#pragma once

#include <QColor>
#include <QString>

class MarcoAjuste;
class QImage;
class QPainter;
class QPoint;
class QPointF;
class QSize;

// The overlay of the grid adjustment picture: the quadrilateral through the four corners and
// the eight labelled handles, drawn over the fitted image.

inline const QColor kColorMarco(255, 230, 0);      // sides and labels
inline const QColor kColorBordeTirador(255, 0, 0); // handle ring
inline constexpr int kRadioTirador = 6;
inline constexpr int kLadoLupa = 160;  // side of the loupe, in screen pixels
inline constexpr int kAumentoLupa = 4; // screen pixels per image pixel in the loupe

// The four sides (0-1, 1-2, 2-3, 3-0), then handles 0..7 with their labels. Sides and labels
// carry a thin dark outline so they stay readable on light charts as well as on dark ones.
void DibujarMarco(QPainter& painter, const MarcoAjuste& marco);
// A hollow red ring of radius kRadioTirador with a dark outline, so the fiducial mark under it
// stays in sight, and the bold label whose top-left corner is at (x + 10, y - 8).
void DibujarTirador(QPainter& painter, const QPoint& centro, const QString& etiqueta);
// The loupe shown while a handle is dragged: the image around punto (full-image pixels)
// magnified kAumentoLupa times without smoothing, so single pixels show, with a crosshair
// through punto and a red frame; black where the image ends. It sits in the top-left corner of
// an area of that size, or the top-right one when the handle at cerca is under it.
void DibujarLupa(QPainter& painter, const QImage& completa, const QPointF& punto,
                 const QPoint& cerca, const QSize& area);

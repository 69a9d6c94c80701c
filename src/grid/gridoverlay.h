#pragma once

#include <QColor>
#include <QString>

class MarcoAjuste;
class QPainter;
class QPoint;

// The overlay of the grid adjustment picture: the quadrilateral through the four corners and
// the eight labelled handles, drawn over the fitted image.

inline const QColor kColorMarco(255, 230, 0);      // sides and labels
inline const QColor kColorBordeTirador(255, 0, 0); // handle ring
inline constexpr int kRadioTirador = 6;

// The four sides (0-1, 1-2, 2-3, 3-0), then handles 0..7 with their labels. Sides and labels
// carry a thin dark outline so they stay readable on light charts as well as on dark ones.
void DibujarMarco(QPainter& painter, const MarcoAjuste& marco);
// A hollow red ring of radius kRadioTirador with a dark outline, so the fiducial mark under it
// stays in sight, and the bold label whose top-left corner is at (x + 10, y - 8).
void DibujarTirador(QPainter& painter, const QPoint& centro, const QString& etiqueta);

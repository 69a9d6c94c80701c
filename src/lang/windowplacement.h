#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Layout sizes are pixels at 96 dpi, scaled to the screen's logical dpi so that they grow with
// the desktop's text size as the fonts do.
int PixelesADiseno(int pixels, double logicalDpi);
int DisenoAPixeles(int diseno, double logicalDpi);

// Width of the floating help window, in layout pixels.
constexpr int kAnchoAyudaFlotante = 280;

// Where the floating help window goes (all in layout pixels): 12 below and right of the cursor,
// (lines + 2) line heights + 8 high but at least four line heights, pulled back inside the
// screen with an 8 margin and never closer than 8 to its left or top edge.
QRect PosicionAyuda(const QPoint& cursor, const QRect& screen, int lineHeight, int lineCount);

// Top-left corner that centres a window of the given size on the owner's frame, never negative.
QPoint PosicionCentrada(const QRect& owner, const QSize& window);

// Room a desktop's window frame takes around a window's inside (title bar and borders).
inline constexpr QSize kMarcoVentana(16, 40);
// The wished inside size of a window, reduced so that with its frame it fits the screen's
// available area.
QSize TamanoEnPantalla(const QSize& deseado, const QSize& disponible);

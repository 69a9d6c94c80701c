#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Layout units: twips (1/1440 inch). 15 twips make one pixel at 96 dpi.
int PixelesATwips(int pixels, double logicalDpi);
int TwipsAPixeles(int twips, double logicalDpi);

// Width of the floating help window, in twips.
constexpr int kAnchoAyudaFlotante = 4200;

// Where the floating help window goes (all in twips): 180 below and right of the cursor,
// (lines + 2) line heights + 120 high but at least four line heights, pulled back inside the
// screen with a 120 margin and never closer than 120 to its left or top edge.
QRect PosicionAyuda(const QPoint& cursor, const QRect& screen, int lineHeight, int lineCount);

// Top-left corner that centres a window of the given size on the owner's frame, never negative.
QPoint PosicionCentrada(const QRect& owner, const QSize& window);

// Room a desktop's window frame takes around a window's inside (title bar and borders).
inline constexpr QSize kMarcoVentana(16, 40);
// The wished inside size of a window, reduced so that with its frame it fits the screen's
// available area.
QSize TamanoEnPantalla(const QSize& deseado, const QSize& disponible);

#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>

#include <optional>

// Where a picture of natural size `natural` goes when fitted into a box of size `caja`:
// scaled by the smaller of the two ratios (enlarged or reduced), sizes rounded to whole
// pixels, centred with the halved remainder truncated. None when either drawn side is
// below one pixel.
std::optional<QRect> RectanguloImagenCarta(const QSize& natural, const QSize& caja);

// The chart picture at `ruta` drawn fitted and centred over `fondo` into an image of the box
// size; a null image when the file cannot be read or the drawing would be empty.
QImage DibujoImagenCarta(const QString& ruta, const QSize& caja, const QColor& fondo);

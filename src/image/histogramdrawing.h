#pragma once

#include <QImage>

struct Histograma;

// Clears the image to white and, when a histogram is given whose maximum is at least 1 and the
// image is at least 82 x 80 pixels, draws it: a framed plot of 256 grey bars of the combined
// histogram with the red, green and blue ones as lines over them, all scaled to the largest
// count, a grey ramp below it, the maximum and its half on the left and the levels 0, 64,
// 128, 192 and 255 under the ramp.
void DibujarHistograma(QImage& imagen, const Histograma* histograma);

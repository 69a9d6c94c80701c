#pragma once

#include <FreeImage.h>

#include <QImage>

// The bitmap (24-bit, 32-bit or 16-bit RGB, or 16-bit grey, none transparent) reduced by an
// integer factor: each output pixel is the average of a factor x factor block (fewer at the
// right and bottom edges), top row first, as an opaque RGB32 image. The full-size image is never
// copied, which saves both time and memory on large scans. Null for other bitmap types.
QImage ReducirBitmap(FIBITMAP* bitmap, int factor);

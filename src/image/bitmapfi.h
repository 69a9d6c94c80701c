#pragma once

#include <FreeImage.h>

#include <QImage>
#include <QString>

#include <memory>

// Unloads a FreeImage bitmap when it goes out of scope, so every path releases it.
struct DescargaBitmapFI {
    void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using BitmapFI = std::unique_ptr<FIBITMAP, DescargaBitmapFI>;

// Images whose header claims more pixels than this are refused before decoding: a forged or
// absurd header must not exhaust memory (a 16-bit RGB image of this size already takes 1.2 GB).
inline constexpr qint64 kMaxPixelesImagen = 200'000'000;

enum class AperturaFI { Ok, NoExiste, FormatoNoReconocido, FalloCarga, DemasiadoGrande };

struct ImagenFI {
    AperturaFI resultado = AperturaFI::FalloCarga;
    FREE_IMAGE_FORMAT formato = FIF_UNKNOWN;
    BitmapFI bitmap;       // set only when resultado is Ok
    int anchoCabecera = 0; // size read from the header, when it could be read before decoding
    int altoCabecera = 0;
};

// Opens an image file: format by content, else by extension; the header's size is checked
// against kMaxPixelesImagen before any pixel is decoded. With soloCabecera the bitmap holds
// the header and metadata (ICC profile) only, where the format allows it. Paths are UTF-8.
// JPEGs are decoded accurately (the fast decoder is a level off in red and blue, enough to
// change a profile and scanin's recognition) unless `rapido` allows it for a preview.
ImagenFI AbrirImagenFI(const QString& path, bool soloCabecera = false, bool rapido = false);

// The bitmap as 24-bit RGB (the bitmap itself when it already is one). 16-bit grey, which the
// library cannot turn into 24 bits directly, goes through 16-bit RGB. Null on failure.
BitmapFI A24Bits(BitmapFI bitmap);
// The bitmap as a top-down QImage (ARGB32 when it has transparency, else RGB32) that owns the
// converted pixels, so no further copy is made; null on failure.
QImage ImagenQt(BitmapFI bitmap);

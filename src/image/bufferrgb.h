#pragma once

#include "image/imagememory.h"

#include <QtGlobal>

#include <cstdint>
#include <vector>

// Decoded pixels of an image, top row first, channels red, green, blue. The samples are kept
// as the source's 8- or 16-bit values (3 or 6 bytes a pixel); valor() hands out the normalised
// double: sample / 255 or sample / 65535, no gamma or colour conversion.
class BufferRGB {
public:
    int ancho() const { return ancho_; }
    int alto() const { return alto_; }
    int bitsPorMuestra() const { return bits_; } // 8 or 16; 0 while empty
    qsizetype pixeles() const { return qsizetype(ancho_) * alto_; }

    // Pixel i = y * ancho + x, channel c = 0 red, 1 green, 2 blue; 0..1.
    double valor(qsizetype i, int c) const {
        const qsizetype k = 3 * i + c;
        return bits_ == 16 ? muestras16_[k] / 65535.0 : muestras8_[k] / 255.0;
    }
    // The raw sample behind valor().
    int muestra(qsizetype i, int c) const {
        const qsizetype k = 3 * i + c;
        return bits_ == 16 ? muestras16_[k] : muestras8_[k];
    }

    // Re-dimensions to w x h with the given bits per sample (8 or 16); samples set to 0. False
    // (and an empty buffer) when the memory for it cannot be had.
    bool redimensionar(int w, int h, int bits);
    void vaciar();

    // Row y (3 * ancho samples, red first) of the matching sample size, for filling.
    std::uint8_t* fila8(int y) { return muestras8_.data() + qsizetype(y) * ancho_ * 3; }
    std::uint16_t* fila16(int y) { return muestras16_.data() + qsizetype(y) * ancho_ * 3; }
    const std::uint8_t* fila8(int y) const { return muestras8_.data() + qsizetype(y) * ancho_ * 3; }
    const std::uint16_t* fila16(int y) const {
        return muestras16_.data() + qsizetype(y) * ancho_ * 3;
    }

private:
    int ancho_ = 0;
    int alto_ = 0;
    int bits_ = 0;
    std::vector<std::uint8_t, AsignadorImagen<std::uint8_t>> muestras8_;
    std::vector<std::uint16_t, AsignadorImagen<std::uint16_t>> muestras16_;
};

#include "image/bufferrgb.h"

void BufferRGB::redimensionar(int w, int h, int bits) {
    vaciar();
    ancho_ = w;
    alto_ = h;
    bits_ = bits;
    const auto count = static_cast<std::size_t>(pixeles()) * 3;
    if (bits == 16)
        muestras16_.assign(count, 0);
    else
        muestras8_.assign(count, 0);
}

void BufferRGB::vaciar() {
    ancho_ = alto_ = bits_ = 0;
    // Give the memory back: a large previous image should not linger.
    std::vector<std::uint8_t>().swap(muestras8_);
    std::vector<std::uint16_t>().swap(muestras16_);
}

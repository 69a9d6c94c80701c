#include "image/bufferrgb.h"

#include <new>

bool BufferRGB::redimensionar(int w, int h, int bits) {
    vaciar();
    const auto count = static_cast<std::size_t>(qsizetype(w) * h) * 3;
    try {
        if (bits == 16)
            muestras16_.assign(count, 0);
        else
            muestras8_.assign(count, 0);
    } catch (const std::bad_alloc&) {
        vaciar();
        return false;
    }
    ancho_ = w;
    alto_ = h;
    bits_ = bits;
    return true;
}

void BufferRGB::vaciar() {
    ancho_ = alto_ = bits_ = 0;
    // Give the memory back: a large previous image should not linger.
    decltype(muestras8_)().swap(muestras8_);
    decltype(muestras16_)().swap(muestras16_);
}

#pragma once

#include <cstddef>
#include <new>

// Memory for whole decoded images. Large blocks are aligned to 2 MB and advised for
// transparent huge pages: touching a fresh 100 MB block then takes a few hundred page faults
// instead of 25000, which on some virtual machines is most of the cost of a preview.
// nullptr when the memory cannot be had.
void* ReservarMemoriaImagen(std::size_t bytes);
void LiberarMemoriaImagen(void* memoria);

// What the load details say of an image that does not fit in the memory available.
inline constexpr const char* kTextoSinMemoria =
    "imagen demasiado grande para la memoria disponible";

template <typename T> struct AsignadorImagen {
    using value_type = T;
    AsignadorImagen() = default;
    template <typename U> AsignadorImagen(const AsignadorImagen<U>&) {}
    T* allocate(std::size_t n) {
        void* memoria = ReservarMemoriaImagen(n * sizeof(T));
        if (!memoria)
            throw std::bad_alloc();
        return static_cast<T*>(memoria);
    }
    void deallocate(T* p, std::size_t) { LiberarMemoriaImagen(p); }
    template <typename U> bool operator==(const AsignadorImagen<U>&) const { return true; }
};

#pragma once

#include <cstddef>

// Memory for whole decoded images. Large blocks are aligned to 2 MB and advised for
// transparent huge pages: touching a fresh 100 MB block then takes a few hundred page faults
// instead of 25000, which on some virtual machines is most of the cost of a preview.
void* ReservarMemoriaImagen(std::size_t bytes); // throws std::bad_alloc
void LiberarMemoriaImagen(void* memoria);

template <typename T> struct AsignadorImagen {
    using value_type = T;
    AsignadorImagen() = default;
    template <typename U> AsignadorImagen(const AsignadorImagen<U>&) {}
    T* allocate(std::size_t n) { return static_cast<T*>(ReservarMemoriaImagen(n * sizeof(T))); }
    void deallocate(T* p, std::size_t) { LiberarMemoriaImagen(p); }
    template <typename U> bool operator==(const AsignadorImagen<U>&) const { return true; }
};

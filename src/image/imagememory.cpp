#include "image/imagememory.h"

#include <cstdlib>

#include <sys/mman.h>

namespace {

constexpr std::size_t kPaginaGrande = 2 * 1024 * 1024;
constexpr std::size_t kBloqueGrande = 8 * 1024 * 1024;

} // namespace

void* ReservarMemoriaImagen(std::size_t bytes) {
    void* memoria = nullptr;
    if (bytes >= kBloqueGrande) {
        const std::size_t redondeado = (bytes + kPaginaGrande - 1) / kPaginaGrande * kPaginaGrande;
        memoria = std::aligned_alloc(kPaginaGrande, redondeado);
        if (memoria)
            madvise(memoria, redondeado, MADV_HUGEPAGE); // advice only: failure is harmless
    } else {
        memoria = std::malloc(bytes ? bytes : 1);
    }
    return memoria;
}

void LiberarMemoriaImagen(void* memoria) {
    std::free(memoria);
}

#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The distribution of the unweighted mean of red, green and blue in 256 levels, and of each
// channel on its own (a sample s of b bits in the level of s / (2^b - 1) * 255 + 0.5).
struct Histograma {
    std::array<std::uint32_t, 256> cuentas{};
    std::uint32_t maximo = 0; // largest count; 0 when nothing was counted
    std::array<std::array<std::uint32_t, 256>, 3> canales{}; // red, green, blue
    std::uint32_t maximoCanales = 0;
};

// The bin of a pixel from its channel samples of bitsPorMuestra bits (8 or 16): the integer
// part of mean * 255 + 0.5 with mean = (r + g + b) / 3 of the values normalised to 0..1.
int BinHistograma(int r, int g, int b, int bitsPorMuestra);

// Counts every pixel of the image at full resolution, as FI_CargarRGB would see it (16-bit RGB
// and grey kept at 16 bits, anything else through the library's 24-bit conversion), straight from
// the decoded bitmap row by row, so no second copy of the image is made. False (and an empty
// histogram) when the image cannot be read.
bool CalcularHistograma(const QString& ruta, Histograma& histograma);

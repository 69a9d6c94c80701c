#pragma once

#include <QString>

struct EntradaCreacion;

// Room a profile run needs at its destination besides a kept diagnostic image: cLUT profiles
// and their TI3 stay below this.
inline constexpr qint64 kEspacioPerfil = 1024 * 1024;

// Why the profile of `in` cannot be written to in.destino, in plain words, or "" when it can:
// its folder must exist, take a new file and have room for the profile and for the files the
// run keeps beside it. Checked before any tool runs, so a bad destination costs no time.
QString ProblemaDestino(const EntradaCreacion& in);

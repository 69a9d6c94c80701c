#pragma once

#include <cstdint>

// Milliseconds since system start, wrapped to 32 bits: only differences between two of them
// mean anything (the viewer's click timing).
std::int32_t ContadorTicks();

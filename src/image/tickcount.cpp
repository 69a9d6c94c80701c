#include "image/tickcount.h"

#include <time.h>

std::int32_t ContadorTicks() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                    static_cast<std::uint64_t>(now.tv_nsec / 1000000);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(ms));
}

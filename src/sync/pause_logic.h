#pragma once

#include <cstdint>

// The pause ends once more than `milliseconds` have passed since `start`. Elapsed time is taken
// modulo 2^32, so a wrap of the tick counter (every 49.7 days) cannot make it wait for ever.
constexpr bool pauseIsOver(uint32_t start, uint32_t nowTicks, uint32_t milliseconds) {
    return static_cast<uint32_t>(nowTicks - start) > milliseconds;
}

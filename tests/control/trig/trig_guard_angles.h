#pragma once

#include <cstdint>

// Angles, by bit pattern, at which the fast rotation's cosine or sine lies so near a
// midpoint between two singles that it takes the careful path (from the exhaustive
// sweep, `scripts/verify-trig`).
inline constexpr std::uint32_t kGuardAngles[] = {0x00000000u};

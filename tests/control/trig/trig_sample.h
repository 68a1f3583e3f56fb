#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tests/control/trig/trig_guard_angles.h"

// The sampled check's angles, by bit pattern: for both signs and each of the 255
// exponents of finite singles (the subnormals included), kPerExponent mantissas spread
// evenly by an odd multiplier, plus the angles the fast rotation hands to its careful
// path and the special values. Above 2^24 singles in all.
inline constexpr std::uint32_t kPerExponent = 33000;
inline constexpr std::size_t kSpreadSamples = 2u * 255u * kPerExponent;  // the first ones

inline std::vector<std::uint32_t> sampledAngles() {
  std::vector<std::uint32_t> bits;
  bits.reserve(kSpreadSamples + 64u + 2u * (sizeof kGuardAngles / sizeof kGuardAngles[0]));
  for (std::uint32_t sign = 0; sign < 2; ++sign)
    for (std::uint32_t exponent = 0; exponent < 255; ++exponent)
      for (std::uint32_t i = 0; i < kPerExponent; ++i) {
        const std::uint32_t mantissa = (i * 2654435761u + exponent * 7919u) & 0x7FFFFFu;
        bits.push_back(sign << 31 | exponent << 23 | mantissa);
      }
  for (std::uint32_t b : kGuardAngles) {
    bits.push_back(b);
    bits.push_back(b | 0x80000000u);
  }
  const std::uint32_t special[] = {
      0x00000000u, 0x80000000u, 0x7F800000u, 0xFF800000u, 0x7FC00000u, 0xFFC00000u,
      0x00000001u, 0x007FFFFFu, 0x00800000u, 0x7F7FFFFFu, 0xFF7FFFFFu,
      0x3F490FDAu, 0x3F490FDBu, 0x3F490FDCu,  // around pi/4
      0x3FC90FDAu, 0x3FC90FDBu, 0x3FC90FDCu,  // around pi/2
      0x40490FDBu, 0x40C90FDBu,               // pi, 2 pi
      0x3FCCCCCCu, 0x3FCCCCCDu,               // 1.6
      0x49800000u, 0x497FFFFFu,               // the short reduction's limit
      0x5D5BE68Au, 0x4B800000u, 0x4B7FFFFFu};
  for (std::uint32_t b : special) bits.push_back(b);
  return bits;
}

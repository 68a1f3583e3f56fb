#pragma once

#include <bit>
#include <cstdint>

#include "double_double.h"

// An angle written as quadrant quarter turns plus a remainder: a = quadrant * pi/2 + r,
// |r| at most a little over pi/4. Only the quadrant's two low bits matter.
struct ReducedAngle {
  unsigned quadrant;
  DoubleDouble r;
};

inline constexpr float kQuarterPi = 0.785398185f;  // the single just above pi/4
// Below this magnitude the three-part reduction keeps every product exact.
inline constexpr float kShortReductionLimit = 1048576.0f;  // 2^20

// For non-negative finite singles below kShortReductionLimit: three-part reduction by
// pi/2 whose first two parts have 33 bits, so their products with the quotient k are
// exact; r = hi + lo is good to about 2^-100 absolute (the error terms are twoSum and
// fastTwoSum written out).
// k comes back plus kRoundingShift: its low mantissa bits are the quotient's, two's
// complement, so the quadrant can be read from its bits without a conversion.
inline void reduceShortAngles(double a, double& shiftedK, double& hi, double& lo) {
  constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
  constexpr double kRoundingShift = 0x1.8p52;  // adding it rounds to an integer
  constexpr double kPart1 = 0x1.921fb544p+0;
  constexpr double kPart2 = 0x1.0b4611a6p-34;
  constexpr double kPart3 = 0x1.3198a2e037073p-69;
  shiftedK = a * kTwoOverPi + kRoundingShift;
  const double k = shiftedK - kRoundingShift;
  const double head = a - k * kPart1;  // exact
  const double tail = -(k * kPart2);    // exact
  const double s = head + tail;
  const double tailSeen = s - head;
  const double headSeen = s - tailSeen;
  const double error = (head - headSeen) + (tail - tailSeen);
  const double rest = error - k * kPart3;
  hi = s + rest;
  lo = rest - (hi - s);
}

inline ReducedAngle reduceShortAngle(float angle) {
  double shiftedK, hi, lo;
  reduceShortAngles(static_cast<double>(angle), shiftedK, hi, lo);
  return {static_cast<unsigned>(std::bit_cast<std::uint64_t>(shiftedK)) & 3u, {hi, lo}};
}

// For any non-negative finite single: exact reduction with enough bits of 2/pi for the
// whole exponent range; r is good to about 2^-104 relative.
ReducedAngle reduceAngleExactly(float angle);

// The fast reduction where it is exact enough, the exact one beyond it.
inline ReducedAngle reduceAngle(float angle) {
  if (angle < kQuarterPi) return {0, {static_cast<double>(angle), 0.0}};
  if (angle < kShortReductionLimit) return reduceShortAngle(angle);
  return reduceAngleExactly(angle);
}

#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

#include "angle_reduction.h"
#include "sine_cosine_table.h"
#include "trig_series.h"

// The cosine and sine of a single angle, each computed in double and rounded to single,
// with the same bits on every platform and CPU: the controller's own routine, in plain
// IEEE double arithmetic, instead of the C library's.
struct SineCosine {
  float cosPhi;
  float sinPhi;
};

// |x| by clearing the sign bit (of a NaN too), in a vector register rather than
// through an integer one: it lies at the head of the trigonometry's chains.
inline float magnitudeOf(float x) { return std::fabs(x); }

inline bool isNegative(float x) { return (std::bit_cast<std::uint32_t>(x) >> 31) != 0; }

// True when a double lies within 16 double ulps of a midpoint between two singles, where
// the fast evaluation's error (a few ulps) could decide the rounding to single: its low
// 29 bits, plus 16, lie within 32 of the midpoint's 2^28.
inline bool nearSingleMidpoint(double y) {
  const std::uint32_t low = static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(y));
  return ((low + 16u) & 0x1FFFFFE0u) == 0x10000000u;
}

// True when rounding a double to single could go either way for any double within 16
// ulps of it: it lies within 256 ulps of a midpoint between normal singles, or below the
// normal singles (but not zero). Zero and infinity are never in doubt.
inline bool singleRoundingInDoubt(double y) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(y) & 0x7FFFFFFFFFFFFFFFu;
  const bool tiny = bits - 1u < 0x380FFFFFFFFFFFFFu;  // 0 < |y| < 2^-126
  return tiny || (bits & 0x1FFFFFFFu) - (0x10000000u - 256u) <= 512u;
}

// The careful path: exact reduction and double-double series, rounded to double and
// then to single, as a correctly rounded double cosine and sine would be.
SineCosine accurateSineCosine(float phi);

// The quadrant's rotation of the first-quadrant values (q odd swaps sin and cos; sin is
// negated in quadrants 2 and 3, cos in 1 and 2), with bit masks rather than branches.
// q is read from the low bits of `quadrantBits`.
inline void placeInQuadrant(std::uint64_t quadrantBits, double& sinA, double& cosA) {
  const std::uint64_t q = quadrantBits & 3u;
  const std::uint64_t swap = 0u - (q & 1u);
  const std::uint64_t sBits = std::bit_cast<std::uint64_t>(sinA);
  const std::uint64_t cBits = std::bit_cast<std::uint64_t>(cosA);
  sinA = std::bit_cast<double>(((cBits & swap) | (sBits & ~swap)) ^ ((q & 2u) << 62));
  cosA = std::bit_cast<double>(((sBits & swap) | (cBits & ~swap)) ^ (((q + 1u) & 2u) << 62));
}

// sin is odd and cos even: the sign of phi goes on sin last. `careful` tells that a
// result lies too near a rounding boundary of single to be trusted.
inline SineCosine roundToSingles(float phi, double sinA, double cosA, bool& careful) {
  careful = nearSingleMidpoint(sinA) || nearSingleMidpoint(cosA);
  const float sinRounded = static_cast<float>(sinA);
  return {static_cast<float>(cosA), isNegative(phi) ? -sinRounded : sinRounded};
}

// Beyond the short reduction's limit: the exact reduction, then the same series and
// guard as below it. Inf and NaN give NaN.
SineCosine largeSineCosine(float phi, bool& careful);

// The fast path: the table's reduction and series, rounded to single; `careful` tells
// that a result lies too near a rounding boundary to be trusted.
inline SineCosine fastSineCosine(float phi, bool& careful) {
  const float magnitude = magnitudeOf(phi);
  if (!(magnitude < kShortReductionLimit)) return largeSineCosine(phi, careful);
  const double a = static_cast<double>(magnitude);
  double sinA, cosA;
  tableSineCosine(a, shiftedMultiple(a), sinA, cosA);
  return roundToSingles(phi, sinA, cosA, careful);
}

inline SineCosine sineCosineOf(float phi) {
  bool careful;
  const SineCosine r = fastSineCosine(phi, careful);
  return careful ? accurateSineCosine(phi) : r;
}

// Both motors' angles in one pass: the fast path in two-lane vectors of doubles (one
// SSE2 register on x86-64), the same operations in the same order as sineCosineOf, so
// the same results.
typedef float FloatPair __attribute__((vector_size(8)));
typedef std::uint32_t WordQuad __attribute__((vector_size(16)));
typedef std::uint32_t WordPair __attribute__((vector_size(8)));
typedef std::uint64_t LongPair __attribute__((vector_size(16)));

// nearSingleMidpoint on all four doubles at once: the low 29 bits of each lie in the low
// 32-bit word of its 64-bit lane, and those four words go into one vector.
inline bool anyNearSingleMidpoint(DoublePair sinA, DoublePair cosA) {
  const WordQuad low = __builtin_shufflevector(std::bit_cast<WordQuad>(sinA),
                                               std::bit_cast<WordQuad>(cosA), 0, 2, 4, 6);
  const WordQuad near = ((low + 16u) & 0x1FFFFFE0u) == 0x10000000u;
  // A lane that holds is all ones. The two 64-bit halves or-ed together say whether any
  // does: plain integer logic on every processor the controller is built for (on x86-64
  // a move of each half and an or), where an x86 builtin would tie it to one.
  const LongPair halves = std::bit_cast<LongPair>(near);
  return (halves[0] | halves[1]) != 0;
}

// Each angle on its own: for large angles and results near a rounding boundary, out of
// line so that the common path stays short and is inlined into the drive step.
void sineCosineEachOf(float phi1, float phi2, SineCosine& r1, SineCosine& r2);

// Both motors' rotations, from half their angles: phi = theta + theta is exact, and
// taking theta keeps the doubling off the head of the chain (shiftedMultipleOfHalf).
// Inlined, so that the results stay in registers for the channels instead of going
// through memory, and no registers are saved around a call.
[[gnu::always_inline]] inline void sineCosinePairOfHalves(float theta1, float theta2,
                                                          SineCosine& r1, SineCosine& r2) {
  constexpr float kHalfLimit = kShortReductionLimit * 0.5f;
  const float m1 = magnitudeOf(theta1), m2 = magnitudeOf(theta2);
  if (!(m1 < kHalfLimit && m2 < kHalfLimit)) [[unlikely]] {
    sineCosineEachOf(theta1 + theta1, theta2 + theta2, r1, r2);
    return;
  }
  const DoublePair half{static_cast<double>(m1), static_cast<double>(m2)};
  DoublePair sinA, cosA;
  tableSineCosine(half + half, shiftedMultipleOfHalf(half), sinA, cosA);
  if (anyNearSingleMidpoint(sinA, cosA)) [[unlikely]] {
    sineCosineEachOf(theta1 + theta1, theta2 + theta2, r1, r2);
    return;
  }
  // sin is odd: the angles' sign bits go onto it, without a branch.
  const WordPair signs = std::bit_cast<WordPair>(FloatPair{theta1, theta2}) & 0x80000000u;
  const FloatPair sinRounded = std::bit_cast<FloatPair>(
      std::bit_cast<WordPair>(__builtin_convertvector(sinA, FloatPair)) ^ signs);
  const FloatPair cosRounded = __builtin_convertvector(cosA, FloatPair);
  r1 = {cosRounded[0], sinRounded[0]};
  r2 = {cosRounded[1], sinRounded[1]};
}

#pragma once

#include <bit>
#include <cstdint>

#include "angle_reduction.h"
#include "trig_series.h"

// The cosine and sine of a single angle, each computed in double and rounded to single,
// with the same bits on every platform and CPU: the controller's own routine, in plain
// IEEE double arithmetic, instead of the C library's.
struct SineCosine {
  float cosPhi;
  float sinPhi;
};

// True when a double lies within 8 double ulps of a midpoint between two singles, where
// the fast evaluation's error could decide the rounding to single.
inline bool nearSingleMidpoint(double y) {
  const std::uint64_t low = std::bit_cast<std::uint64_t>(y) & 0x1FFFFFFFu;
  return low - (0x10000000u - 8u) <= 16u;
}

// The careful path: exact reduction and double-double series, rounded to double and
// then to single, as a correctly rounded double cosine and sine would be.
SineCosine accurateSineCosine(float phi);

// The double results of the fast path for a non-negative angle below the short
// reduction's limit, before any sign or rounding to single.
struct SineCosineDoubles {
  double sinA;
  double cosA;
};

inline SineCosineDoubles fastSineCosine(float magnitude) {
  const ReducedAngle a = magnitude < kQuarterPi
                             ? ReducedAngle{0, {static_cast<double>(magnitude), 0.0}}
                             : reduceShortAngle(magnitude);
  const double s = fastSin(a.r);
  const double c = fastCos(a.r);
  switch (a.quadrant) {
    case 0: return {s, c};
    case 1: return {c, -s};
    case 2: return {-s, -c};
    default: return {-c, s};
  }
}

inline float magnitudeOf(float x) {
  return std::bit_cast<float>(std::bit_cast<std::uint32_t>(x) & 0x7FFFFFFFu);
}

inline bool isNegative(float x) { return (std::bit_cast<std::uint32_t>(x) >> 31) != 0; }

// sin is odd and cos even, so the work is done on |phi| and the sign put back last.
inline SineCosine sineCosineOf(float phi) {
  const float magnitude = magnitudeOf(phi);
  if (!(magnitude < kShortReductionLimit)) return accurateSineCosine(phi);  // also inf, NaN
  const SineCosineDoubles d = fastSineCosine(magnitude);
  if (nearSingleMidpoint(d.sinA) || nearSingleMidpoint(d.cosA)) return accurateSineCosine(phi);
  const float sinA = static_cast<float>(d.sinA);
  return {static_cast<float>(d.cosA), isNegative(phi) ? -sinA : sinA};
}

// Two angles at once: the same results as sineCosineOf on each.
inline void sineCosinePairOf(float phi1, float phi2, SineCosine& r1, SineCosine& r2) {
  r1 = sineCosineOf(phi1);
  r2 = sineCosineOf(phi2);
}

#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

#include "angle_reduction.h"
#include "double_double.h"
#include "sine_cosine.h"

// The tangent of a single angle in double, correctly rounded (but for angles too close
// to call that the exhaustive check has not met): the controller's own routine, the
// same bits on every platform and CPU. Three tiers, each taken only when the one
// before cannot decide the rounding: plain doubles, double-doubles, then the exact
// reduction with double-double sine and cosine.

// tan(j/128) for j = 0 ... 104, each the double-double nearest it (tangent_table.cpp,
// written by generate_tables.py).
extern const DoubleDouble kTangentTable[105];

// The careful path: exact reduction, double-double sine and cosine, their quotient.
double accurateTangent(float delta);

// tan(r) with 0 <= r up to a little over pi/4 is tan(a + b), a = j/128 from the table and
// |b| <= 1/256, whose own tangent b + b^3 (1/3 + 2/15 b^2 + 17/315 b^4 + 62/2835 b^6)
// is its series to 2^-80 relative.
struct TangentSplit {
  DoubleDouble ta;  // tan(a)
  double b;         // r.hi - a, exact
  double bTail;     // r.lo plus the series of tan(b) beyond b
};

// An angle r from 0 to a little over pi/4 as a + b, a = j/128 the nearest multiple and
// |b| <= 1/256, both exact. Adding 1.5 * 2^45 (whose ulp is 1/128) rounds r to a in one
// addition; j is the low bits of that sum. Shorter than a conversion to integer and
// back, and the tangent's latency is the drive step's longest chain.
inline double splitAtTableStep(double r, int& j) {
  constexpr double kToTableStep = 0x1.8p45;
  const double shifted = r + kToTableStep;
  const double a = shifted - kToTableStep;
  j = static_cast<int>(std::bit_cast<std::uint64_t>(shifted) & 0xFFu);
  return r - a;
}

// The split of a double angle (no tail): bTail is the series alone. An angle below a
// quarter turn needs no reduction and takes this shorter chain.
inline TangentSplit splitTangent(double r) {
  int j;
  const double b = splitAtTableStep(r, j);
  const double z = b * b;
  const double bz = b * z;
  // The series as two independent halves, so that fewer steps wait on one another.
  const double low = 0x1.5555555555555p-2 + z * 0x1.1111111111111p-3;
  const double high = 0x1.ba1ba1ba1ba1cp-5 + z * 0x1.664f4882c10fap-6;
  const double series = bz * low + (bz * (z * z)) * high;
  return {kTangentTable[j], b, series};
}

inline TangentSplit splitTangent(DoubleDouble r) {
  TangentSplit s = splitTangent(r.hi);
  s.bTail = r.lo + s.bTail;
  return s;
}

// True when hi + lo, known to within `bound`, rounds to hi whatever the error.
inline bool roundingIsDecided(DoubleDouble t, double bound) {
  return t.hi + (t.lo + bound) == t.hi && t.hi + (t.lo - bound) == t.hi;
}

// Second tier: tan(r), or -cot(r) for an odd quadrant, in double-doubles, good to
// about 2^-68 relative (the series of b, in doubles).
DoubleDouble reducedTangent(DoubleDouble r, bool odd);

// First tier, tan(r) for 0 <= r <= pi/4 + a little: tan(a + b) = S + T p with
// S = tan a + tan b exact as two doubles, p = tan a tan b and T the tangent itself, the
// one term in plain doubles, from the split of r. Returns false when its error could
// decide the rounding.
inline bool quickTangent(const TangentSplit& s, double& result) {
  const double tb = s.b + s.bTail;
  const double p = s.ta.hi * tb;
  const double t1 = (s.ta.hi + tb) / (1.0 - p);
  const DoubleDouble head = twoSum(s.ta.hi, s.b);
  // The small terms known before the quotient are summed while it is computed, so that
  // only one addition waits for tp; its rounding lies at tp's scale, inside the bound.
  const double known = head.lo + (s.ta.lo + s.bTail);
  const double tp = t1 * p;
  const DoubleDouble t = fastTwoSum(head.hi, known + tp);
  // tp is off by about 3 of its own ulps; every other error (the series of b in
  // doubles, above all) lies below 2^-66 of t.
  const double bound = (tp < 0.0 ? -tp : tp) * 0x1p-50 + (t.hi < 0.0 ? -t.hi : t.hi) * 0x1p-66;
  result = t.hi;
  return roundingIsDecided(t, bound);
}

// The tiers on a reduced angle; the sign of delta goes on last (tan is odd).
double tangentOfReduced(float delta, const ReducedAngle& a);

// tan(delta) for |delta| at or above pi/4: the short or the exact reduction, then the
// tiers; inf and NaN give NaN.
double tangentBeyondQuarterTurn(float delta);

// x (not negative: a tangent of |delta|) with the sign of delta put on, as tan is odd;
// in vector registers, as it lies at the end of the tangent's chain.
inline double withSignOf(float delta, double x) {
  return std::copysign(x, static_cast<double>(delta));
}

// tan(a + b) = c0 + c1 b + ... + c6 b^6 for a = j/128 and |b| <= 1/256: the Taylor
// coefficients of tan at a, each the double nearest it. The terms left out lie below
// 2^-52 relative. Written by generate_tables.py (tangent_series.cpp).
struct alignas(64) TangentSeries {
  double c[7];
};
extern const TangentSeries kTangentSeries[105];

// tan(m) in plain doubles for 0 <= m below pi/4, within 2^-50 relative (false beyond):
// the table's series, for a caller that rounds a product of it to single and can tell
// when that is in doubt. No division, so a short chain.
inline bool approximateTangentOfMagnitude(float m, double& t) {
  if (!(m < kQuarterPi)) return false;
  // The split in single arithmetic: adding 1.5 * 2^16 (whose single ulp is 1/128) rounds
  // m to a = j/128 as the double split does, and m - a is exact. The table's index is
  // ready sooner than through a double.
  constexpr float kToTableStep = 0x1.8p16f;
  const float shifted = m + kToTableStep;
  const float a = shifted - kToTableStep;
  const double* c = kTangentSeries[std::bit_cast<std::uint32_t>(shifted) & 0xFFu].c;
  const double b = static_cast<double>(m - a);
  const double b2 = b * b;
  const double low = (c[0] + c[1] * b) + b2 * (c[2] + c[3] * b);
  const double high = (c[4] + c[5] * b) + b2 * c[6];
  t = low + (b2 * b2) * high;
  return true;
}

inline bool approximateTangent(float delta, double& t) {
  if (!approximateTangentOfMagnitude(magnitudeOf(delta), t)) return false;
  t = withSignOf(delta, t);
  return true;
}

// A steering angle lies below pi/4: there the first tier needs no reduction and is
// inlined into the caller; everything else is out of line.
inline double tangentOf(float delta) {
  const float magnitude = magnitudeOf(delta);
  if (magnitude < kQuarterPi) {
    double t;
    if (quickTangent(splitTangent(static_cast<double>(magnitude)), t)) return withSignOf(delta, t);
    return tangentOfReduced(delta, {0, {static_cast<double>(magnitude), 0.0}});
  }
  return tangentBeyondQuarterTurn(delta);
}

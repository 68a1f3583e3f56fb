#pragma once

#include "angle_reduction.h"
#include "double_double.h"
#include "sine_cosine.h"

// The tangent of a single angle in double, correctly rounded but for angles too close
// to call that the exhaustive check has not met: the controller's own routine, the same
// bits on every platform and CPU.

// tan(j/32) for j = 0 ... 26, each the double-double nearest it.
extern const DoubleDouble kTangentTable[27];

// The careful path: exact reduction, double-double sine and cosine, their quotient.
double accurateTangent(float delta);

// tan(b) for |b| <= 1/64 as a double-double, good to about 2^-64 relative:
// b + b^3 (1/3 + 2/15 b^2 + 17/315 b^4 + ...), the series' tail in double.
inline DoubleDouble smallTangent(DoubleDouble b) {
  const double z = b.hi * b.hi;
  const double z2 = z * z;
  const double p = (0x1.5555555555555p-2 + z * 0x1.1111111111111p-3) +
                   z2 * ((0x1.ba1ba1ba1ba1cp-5 + z * 0x1.664f4882c10fap-6) +
                         z2 * (0x1.226e355e6c23dp-7 + z * 0x1.d6d3d0e157de0p-9));
  return fastTwoSum(b.hi, b.lo + (b.hi * z) * p);
}

// tan(r) (or -cot(r) for an odd quadrant) for |r| up to a little over pi/4, as
// tan(a + b) with a = j/32 from the table and |b| <= 1/64.
inline DoubleDouble reducedTangent(DoubleDouble r, bool odd) {
  const bool negative = r.hi < 0.0;
  if (negative) r = ddNegate(r);
  const int j = static_cast<int>(r.hi * 32.0 + 0.5);
  const double a = static_cast<double>(j) * 0.03125;
  const DoubleDouble tb = smallTangent(twoSum(r.hi - a, r.lo));  // r.hi - a is exact
  DoubleDouble num = tb, den = {1.0, 0.0};
  if (j != 0) {
    const DoubleDouble ta = kTangentTable[j];
    num = ddAdd(ta, tb);
    den = ddAdd({1.0, 0.0}, ddNegate(ddMul(ta, tb)));
  }
  DoubleDouble t = odd ? ddNegate(ddDiv(den, num)) : ddDiv(num, den);
  return negative ? ddNegate(t) : t;
}

inline double tangentOf(float delta) {
  const float magnitude = magnitudeOf(delta);
  if (!(magnitude < kShortReductionLimit)) return accurateTangent(delta);  // also inf, NaN
  const ReducedAngle a = magnitude < kQuarterPi
                             ? ReducedAngle{0, {static_cast<double>(magnitude), 0.0}}
                             : reduceShortAngle(magnitude);
  const DoubleDouble t = reducedTangent(a.r, (a.quadrant & 1u) != 0);
  // The result is the rounding of hi + lo unless the error bound straddles a midpoint.
  const double bound = (t.hi < 0.0 ? -t.hi : t.hi) * 0x1p-61;
  if (t.hi + (t.lo + bound) != t.hi || t.hi + (t.lo - bound) != t.hi)
    return accurateTangent(delta);
  return isNegative(delta) ? -t.hi : t.hi;
}

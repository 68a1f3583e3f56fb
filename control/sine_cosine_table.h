#pragma once

#include <bit>
#include <cstdint>

#include "double_double.h"

// The rotation's fast path for angles below 2^20: the angle less the nearest multiple
// k of pi/32, then cos and sin of k pi/32 from a table and short series for the small
// rest r (|r| a little over pi/64):
//   sin a = S + (S (cos r - 1) + C sin r),  cos a = C + (C (cos r - 1) - S sin r).
// Away from the axes |sin a| and |cos a| are at least sin(pi/64), so the table's
// rounding costs at most a few double ulps; on the axes S or C is exactly 0 and the
// other exactly 1, so the error is that of r alone. Templates over one double and a
// two-lane vector of doubles, so that both run the same operations in the same order.

// cos and sin of k pi/32, k = 0 ... 63, each the double nearest it.
struct alignas(16) RotationEntry {
  double cosA;
  double sinA;
};
extern const RotationEntry kRotationTable[64];

// a = k pi/32 + r for 0 <= a < 2^20 (so k < 2^24). pi/32 in three parts: the first
// two have 29 bits, so their products with k are exact; a - k*kPart1 is exact (both
// are multiples of 2^-32 and it is below 2^-4), and so is the next step when its result
// lies below 2^-8 (otherwise it is rounded once, relative to itself). r is thereby good
// to half an ulp of itself plus 2^-89, even for the angles closest to a multiple.
// k comes back plus kRoundingShift: its low bits index the table.
template <typename Real>
inline void reduceByTableStep(Real a, Real& shiftedK, Real& r) {
  constexpr double kThirtyTwoOverPi = 0x1.45f306dc9c883p+3;
  constexpr double kRoundingShift = 0x1.8p52;  // adding it rounds to an integer
  constexpr double kPart1 = 0x1.921fb54p-4;
  constexpr double kPart2 = 0x1.10b461p-34;
  constexpr double kPart3 = 0x1.a62633145c06ep-62;
  shiftedK = a * splat<Real>(kThirtyTwoOverPi) + splat<Real>(kRoundingShift);
  const Real k = shiftedK - splat<Real>(kRoundingShift);
  const Real head = a - k * splat<Real>(kPart1);
  const Real middle = head - k * splat<Real>(kPart2);
  r = middle - k * splat<Real>(kPart3);
}

// sin r and cos r - 1 for |r| <= 0.053, z = r*r: Taylor series to r^9 and r^8, whose
// truncation lies below 2^-60 relative.
template <typename Real>
inline Real sinOfRest(Real r, Real z) {
  const Real z2 = z * z;
  const Real low = splat<Real>(-0x1.5555555555555p-3) + z * splat<Real>(0x1.1111111111111p-7);
  const Real high = splat<Real>(-0x1.a01a01a01a01ap-13) + z * splat<Real>(0x1.71de3a556c734p-19);
  const Real p = low + z2 * high;
  return r + (r * z) * p;
}

template <typename Real>
inline Real cosMinusOneOfRest(Real z) {
  const Real z2 = z * z;
  const Real low = splat<Real>(-0.5) + z * splat<Real>(0x1.5555555555555p-5);
  const Real high = splat<Real>(-0x1.6c16c16c16c17p-10) + z * splat<Real>(0x1.a01a01a01a01ap-16);
  const Real p = low + z2 * high;
  return z * p;
}

// The table's entries for k: one entry, or one per lane.
inline void tableEntry(double shiftedK, double& c, double& s) {
  const RotationEntry& e = kRotationTable[std::bit_cast<std::uint64_t>(shiftedK) & 63u];
  c = e.cosA;
  s = e.sinA;
}

typedef double DoublePair __attribute__((vector_size(16)));
typedef std::uint64_t BitsPair __attribute__((vector_size(16)));

inline void tableEntry(DoublePair shiftedK, DoublePair& c, DoublePair& s) {
  const BitsPair k = std::bit_cast<BitsPair>(shiftedK) & 63u;
  const DoublePair e1 = std::bit_cast<DoublePair>(kRotationTable[k[0]]);
  const DoublePair e2 = std::bit_cast<DoublePair>(kRotationTable[k[1]]);
  c = DoublePair{e1[0], e2[0]};
  s = DoublePair{e1[1], e2[1]};
}

// sin a and cos a in double for 0 <= a < 2^20, within a few double ulps.
template <typename Real>
inline void tableSineCosine(Real a, Real& sinA, Real& cosA) {
  Real shiftedK, r;
  reduceByTableStep(a, shiftedK, r);
  Real c, s;
  tableEntry(shiftedK, c, s);
  const Real z = r * r;
  const Real sinR = sinOfRest(r, z);
  const Real cosR1 = cosMinusOneOfRest(z);
  sinA = s + (s * cosR1 + c * sinR);
  cosA = c + (c * cosR1 - s * sinR);
}

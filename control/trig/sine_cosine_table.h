#pragma once

#include <bit>
#include <cstdint>

// The rotation's fast path for angles below 2^20: the angle less the nearest multiple
// k of pi/128, then cos and sin of k pi/128 from a table and short series for the small
// rest r (|r| a little over pi/256):
//   sin a = (S + C r) + (S (cos r - 1) + C (sin r - r)),
//   cos a = (C - S r) + (C (cos r - 1) - S (sin r - r)).
// The first sum is ready long before the series. Away from the axes |sin a| and |cos a|
// are at least sin(pi/256), so the table's rounding costs at most a few double ulps; on
// the axes S or C is exactly 0 and the other exactly 1, so the error is that of r alone.
// Templates over one double and a two-lane vector of doubles, so that both run the
// same operations in the same order.

typedef double DoublePair __attribute__((vector_size(16)));
typedef std::uint64_t BitsPair __attribute__((vector_size(16)));

// cos and sin of k pi/128, k = 0 ... 255, each the double nearest it. The table and the
// constants below are written by generate_tables.py (sine_cosine_table.cpp).
struct alignas(16) RotationEntry {
  double cosA;
  double sinA;
};
extern const RotationEntry kRotationTable[256];

// The fast path's constants, each in both lanes.
struct RotationConstants {
  DoublePair oneTwentyEightOverPi, twoFiftySixOverPi, roundingShift, part1, part2, part3;
  DoublePair sin1, sin2, cos1, cos2;  // the series of (sin r - r) / (r z) and (cos r - 1) / z
};
extern const RotationConstants kRotationConstants;

template <typename Real>
inline Real rotationConstant(const DoublePair& c) {
  if constexpr (sizeof(Real) == sizeof(double)) {
    return c[0];
  } else {
    return c;
  }
}

// k plus the rounding shift (1.5 * 2^52, whose addition rounds to an integer) for
// a = |phi| below 2^20; k < 2^26 is the multiple of pi/128 nearest a, and the sum's low
// bits index the table.
template <typename Real>
inline Real shiftedMultiple(Real a) {
  const RotationConstants& c = kRotationConstants;
  return a * rotationConstant<Real>(c.oneTwentyEightOverPi) +
         rotationConstant<Real>(c.roundingShift);
}

// The same from half the angle, theta = phi/2 (phi = theta + theta is exact): 256/pi is
// 128/pi doubled, so the product and k are the same, and the doubling of theta leaves
// the head of the chain.
template <typename Real>
inline Real shiftedMultipleOfHalf(Real halfA) {
  const RotationConstants& c = kRotationConstants;
  return halfA * rotationConstant<Real>(c.twoFiftySixOverPi) +
         rotationConstant<Real>(c.roundingShift);
}

// r = a - k pi/128 for 0 <= a < 2^20. pi/128 in three parts: the first two have at
// most 27 bits, so their products with k are exact; a - k*part1 is exact (both are
// multiples of 2^-32 and it is below 2^-6), and so is the next step (multiples of 2^-59
// below 2^-6); the last is rounded once, relative to r. r is thereby good to half an ulp
// of itself plus 2^-86, even for the angles closest to a multiple.
template <typename Real>
inline Real restAfterTableStep(Real a, Real shiftedK) {
  const RotationConstants& c = kRotationConstants;
  const Real k = shiftedK - rotationConstant<Real>(c.roundingShift);
  const Real head = a - k * rotationConstant<Real>(c.part1);
  const Real middle = head - k * rotationConstant<Real>(c.part2);
  return middle - k * rotationConstant<Real>(c.part3);
}

// The table's entries for k: one entry, or one per lane.
inline void tableEntry(double shiftedK, double& c, double& s) {
  const RotationEntry& e = kRotationTable[std::bit_cast<std::uint64_t>(shiftedK) & 255u];
  c = e.cosA;
  s = e.sinA;
}

inline void tableEntry(DoublePair shiftedK, DoublePair& c, DoublePair& s) {
  const BitsPair k = std::bit_cast<BitsPair>(shiftedK) & 255u;
  const DoublePair e1 = std::bit_cast<DoublePair>(kRotationTable[k[0]]);
  const DoublePair e2 = std::bit_cast<DoublePair>(kRotationTable[k[1]]);
  c = DoublePair{e1[0], e2[0]};
  s = DoublePair{e1[1], e2[1]};
}

// sin a and cos a in double for 0 <= a < 2^20, within a few double ulps. With z = r^2,
// sin r - r = r z (s1 + s2 z) to within 2^-55 of r, and cos r - 1 = z (c1 + c2 z) to
// within 2^-52.
template <typename Real>
inline void tableSineCosine(Real a, Real shiftedK, Real& sinA, Real& cosA) {
  const RotationConstants& k = kRotationConstants;
  const Real r = restAfterTableStep(a, shiftedK);
  Real c, s;
  tableEntry(shiftedK, c, s);
  const Real z = r * r;
  const Real sinHead = s + c * r;
  const Real cosHead = c - s * r;
  const Real sinPoly = rotationConstant<Real>(k.sin1) + z * rotationConstant<Real>(k.sin2);
  const Real cosPoly = rotationConstant<Real>(k.cos1) + z * rotationConstant<Real>(k.cos2);
  // S (cos r - 1) and C (sin r - r), each as a product of two factors known early.
  const Real sz = s * z, cz = c * z, crz = c * (r * z), srz = s * (r * z);
  sinA = sinHead + (sz * cosPoly + crz * sinPoly);
  cosA = cosHead + (cz * cosPoly - srz * sinPoly);
}

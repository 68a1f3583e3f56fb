#pragma once

#include "double_double.h"

// Series of sine and cosine on |r| <= pi/4 (a little beyond is fine), Taylor
// coefficients: the truncation stays below half a double ulp and rounding in the
// evaluation costs about two, far inside the 8 ulps that the rounding guard allows.

// sin(r) / r - 1 = z * sinTail(z), z = r*r: coefficients -1/3! ... -1/15!.
// Templates over the number type, so that one motor's double and both motors' pair of
// doubles (a two-lane vector) run the same operations in the same order.
template <typename Real>
inline Real sinTail(Real z) {
  const Real z2 = z * z;
  const Real z4 = z2 * z2;
  const Real a = splat<Real>(-0x1.5555555555555p-3) + z * splat<Real>(0x1.1111111111111p-7);
  const Real b = splat<Real>(-0x1.a01a01a01a01ap-13) + z * splat<Real>(0x1.71de3a556c734p-19);
  const Real c = splat<Real>(-0x1.ae64567f544e4p-26) + z * splat<Real>(0x1.6124613a86d09p-33);
  return (a + z2 * b) + z4 * (c + z2 * splat<Real>(-0x1.ae7f3e733b81fp-41));
}

// cos(r) - 1 + z/2 = z*z * cosTail(z): coefficients +1/4! ... +1/16!.
template <typename Real>
inline Real cosTail(Real z) {
  const Real z2 = z * z;
  const Real z4 = z2 * z2;
  const Real a = splat<Real>(0x1.5555555555555p-5) - z * splat<Real>(0x1.6c16c16c16c17p-10);
  const Real b = splat<Real>(0x1.a01a01a01a01ap-16) - z * splat<Real>(0x1.27e4fb7789f5cp-22);
  const Real c = splat<Real>(0x1.1eed8eff8d898p-29) - z * splat<Real>(0x1.93974a8c07c9dp-37);
  return (a + z2 * b) + z4 * (c + z2 * splat<Real>(0x1.ae7f3e733b81fp-45));
}

// sin and cos of r = hi + lo (|lo| at most half an ulp of hi) in double, within about
// three ulps: lo enters sin to first order, and cos not at all (hi*lo is below an ulp).
template <typename Real>
inline Real fastSin(Real hi, Real lo) {
  const Real z = hi * hi;
  return hi + ((hi * z) * sinTail(z) + lo);
}

template <typename Real>
inline Real fastCos(Real hi) {
  const Real z = hi * hi;
  const Real half = splat<Real>(0.5) * z;
  const Real w = splat<Real>(1.0) - half;
  return w + (((splat<Real>(1.0) - w) - half) + (z * z) * cosTail(z));
}

// sin and cos of a double-double r to about 2^-104 relative, for the cases where a
// double's rounding is too close to call.
DoubleDouble accurateSin(DoubleDouble r);
DoubleDouble accurateCos(DoubleDouble r);

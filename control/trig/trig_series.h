#pragma once

#include "double_double.h"

// Series of sine and cosine on |r| <= pi/4 (a little beyond is fine), Taylor
// coefficients: the truncation stays below half a double ulp and rounding in the
// evaluation costs about two, far inside the 16 ulps that the rounding guard allows.

// sin(r) / r - 1 = z * sinTail(z), z = r*r: coefficients -1/3! ... -1/15!.
inline double sinTail(double z) {
  const double z2 = z * z;
  const double z4 = z2 * z2;
  const double a = -0x1.5555555555555p-3 + z * 0x1.1111111111111p-7;
  const double b = -0x1.a01a01a01a01ap-13 + z * 0x1.71de3a556c734p-19;
  const double c = -0x1.ae64567f544e4p-26 + z * 0x1.6124613a86d09p-33;
  return (a + z2 * b) + z4 * (c + z2 * -0x1.ae7f3e733b81fp-41);
}

// cos(r) - 1 + z/2 = z*z * cosTail(z): coefficients +1/4! ... +1/16!.
inline double cosTail(double z) {
  const double z2 = z * z;
  const double z4 = z2 * z2;
  const double a = 0x1.5555555555555p-5 - z * 0x1.6c16c16c16c17p-10;
  const double b = 0x1.a01a01a01a01ap-16 - z * 0x1.27e4fb7789f5cp-22;
  const double c = 0x1.1eed8eff8d898p-29 - z * 0x1.93974a8c07c9dp-37;
  return (a + z2 * b) + z4 * (c + z2 * 0x1.ae7f3e733b81fp-45);
}

// sin and cos of r = hi + lo (|lo| at most half an ulp of hi) in double, within about
// three ulps: lo enters sin to first order, and cos not at all (hi*lo is below an ulp).
inline double fastSin(double hi, double lo) {
  const double z = hi * hi;
  return hi + ((hi * z) * sinTail(z) + lo);
}

inline double fastCos(double hi) {
  const double z = hi * hi;
  const double half = 0.5 * z;
  const double w = 1.0 - half;
  return w + (((1.0 - w) - half) + (z * z) * cosTail(z));
}

// sin and cos of a double-double r to about 2^-104 relative, for the cases where a
// double's rounding is too close to call.
DoubleDouble accurateSin(DoubleDouble r);
DoubleDouble accurateCos(DoubleDouble r);

#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

#include "plant/lanes.h"

namespace substitute_host::plant {

// cos and sin of one angle, or of one angle per lane (T Pair).
template <class T>
struct PhasorOf {
  T c;
  T s;
};
using Phasor = PhasorOf<double>;

// The plant's sine and cosine, from IEEE additions and multiplications alone: the C
// library's are not fixed to the bit (glibc picks a build for the processor at run time,
// other libraries round otherwise), and a run must give the same numbers on every
// machine a sweep lands on. Within two units in the last place of the exact value, most
// results within one.
namespace phasor_detail {

// pi/2 in three parts, the first two of 33 significant bits, so that k times either is
// exact for |k| < 2^20 and the reduced angle keeps its precision.
inline constexpr double kHalfPi1 = 0x1.921fb544p+0;
inline constexpr double kHalfPi2 = 0x1.0b4611a6p-34;
inline constexpr double kHalfPi3 = 0x1.3198a2e037073p-69;
inline constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
inline constexpr double kTwoPi = 0x1.921fb54442d18p+2;
// Added and taken away again, it rounds to an integer; its low bits then hold that
// integer modulo 4, the quadrant.
inline constexpr double kRoundingShift = 0x1.8p52;
// Beyond this the three parts no longer reduce exactly; such angles are folded by whole
// turns first (fmod is exact), at a cost of |angle| times 2^-52 in accuracy.
inline constexpr double kReach = 0x1p19 * kHalfPi1;

// 1 / n!, rounded once: n! itself is exact in a double up to 18!.
template <int N>
inline constexpr double kInvFactorial = [] {
  static_assert(N <= 18);
  double f = 1.0;
  for (int i = 2; i <= N; ++i) f *= i;
  return 1.0 / f;
}();

// Taylor series on |r| <= pi/4, in z = r^2: sin r = r + r z (s0 + s1 z + ... + s7 z^7),
// cos r = 1 - z/2 + z^2 (c0 + c1 z + ... + c6 z^6). Their first omitted terms are below
// 2^-54 of the result.
inline constexpr double kSineTerms[8] = {-kInvFactorial<3>,  kInvFactorial<5>,   -kInvFactorial<7>,
                                         kInvFactorial<9>,   -kInvFactorial<11>, kInvFactorial<13>,
                                         -kInvFactorial<15>, kInvFactorial<17>};
inline constexpr double kCosineTerms[7] = {
    kInvFactorial<4>,  -kInvFactorial<6>,  kInvFactorial<8>, -kInvFactorial<10>,
    kInvFactorial<12>, -kInvFactorial<14>, kInvFactorial<16>};

// Summed in pairs of terms (Estrin's scheme) rather than one term after another: the
// angle is on the path from one control step to the next, and pairs take half as long.
template <class T>
T sineOfReduced(T r, T z) {
  constexpr const double* s = kSineTerms;
  const T z2 = z * z;
  const T low = (s[0] + s[1] * z) + z2 * (s[2] + s[3] * z);
  const T high = (s[4] + s[5] * z) + z2 * (s[6] + s[7] * z);
  return r + r * (z * (low + (z2 * z2) * high));
}
template <class T>
T cosineOfReduced(T z) {
  constexpr const double* c = kCosineTerms;
  const T z2 = z * z;
  const T low = (c[0] + c[1] * z) + z2 * (c[2] + c[3] * z);
  const T high = (c[4] + c[5] * z) + z2 * c[6];
  return (1.0 - 0.5 * z) + z2 * (low + (z2 * z2) * high);
}

template <class T>
struct BitsOf;
template <>
struct BitsOf<double> {
  using type = std::uint64_t;
};
template <>
struct BitsOf<Pair> {
  using type = PairBits;
};

inline double foldedIntoReach(double x) { return laneAbs(x) > kReach ? std::fmod(x, kTwoPi) : x; }
inline Pair foldedIntoReach(Pair x) {
  if (!anyLane(laneAbs(x) > kReach)) return x;
  return Pair{foldedIntoReach(x[0]), foldedIntoReach(x[1])};
}

}  // namespace phasor_detail

// cos and sin of `angle` (rad), lane by lane; a lane that is not finite gives NaN.
template <class T>
[[gnu::always_inline]] inline PhasorOf<T> phasorOf(T angle) {
  using namespace phasor_detail;
  using Bits = typename BitsOf<T>::type;
  const T x = foldedIntoReach(angle);
  const T shifted = x * kTwoOverPi + kRoundingShift;
  const T k = shifted - kRoundingShift;
  const T r = ((x - k * kHalfPi1) - k * kHalfPi2) - k * kHalfPi3;
  const T z = r * r;
  const Bits sine = std::bit_cast<Bits>(sineOfReduced(r, z));
  const Bits cosine = std::bit_cast<Bits>(cosineOfReduced(z));
  // Quadrant q: an odd one swaps the two, q = 2, 3 negates the sine, q = 1, 2 the cosine.
  const Bits q = std::bit_cast<Bits>(shifted) & 3;
  const Bits swap = Bits{} - (q & 1);  // all ones or none
  const Bits sineSign = (q & 2) << 62;
  const Bits cosineSign = ((q + 1) & 2) << 62;
  return {std::bit_cast<T>(((cosine & ~swap) | (sine & swap)) ^ cosineSign),
          std::bit_cast<T>(((sine & ~swap) | (cosine & swap)) ^ sineSign)};
}

// The tangent, as the same sine over the same cosine.
inline double tangentOf(double angle) {
  const Phasor p = phasorOf(angle);
  return p.s / p.c;
}

}  // namespace substitute_host::plant

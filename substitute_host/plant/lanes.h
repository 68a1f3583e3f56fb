#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

namespace substitute_host::plant {

// Both motors obey the same laws with the same constants, so the plant works them out
// side by side: a Pair holds one double per motor, lane 0 for motor 1 and lane 1 for
// motor 2, and the arithmetic on it is the same IEEE arithmetic, lane by lane, as on
// a double. The laws are written once, for either.
using Pair = double __attribute__((vector_size(16)));

// The few lane-wise functions the laws need follow, each the same rule for a double
// and for a pair.

// The sign bit cleared, as std::abs does: one instruction instead of a comparison and
// a blend.
using PairBits = std::uint64_t __attribute__((vector_size(16)));
inline double laneAbs(double x) { return std::abs(x); }
inline Pair laneAbs(Pair x) {
  constexpr std::uint64_t kMagnitude = ~(std::uint64_t{1} << 63);
  return std::bit_cast<Pair>(std::bit_cast<PairBits>(x) & PairBits{kMagnitude, kMagnitude});
}

// The larger of a and b (b when they are equal or a is not a number): the form of the
// processor's max instruction.
inline double laneMax(double a, double b) { return a > b ? a : b; }
inline Pair laneMax(Pair a, Pair b) {
#if defined(__SSE2__)
  return __builtin_ia32_maxpd(a, b);  // exactly a > b ? a : b; the compiler blends otherwise
#else
  return a > b ? a : b;
#endif
}

// The square root of each lane, correctly rounded as std::sqrt's is.
inline Pair laneSqrt(Pair x) {
#if defined(__SSE2__)
  return __builtin_ia32_sqrtpd(x);
#else
  return Pair{std::sqrt(x[0]), std::sqrt(x[1])};
#endif
}

// Whether a comparison holds in any lane.
inline bool anyLane(bool holds) { return holds; }
template <class Mask>
bool anyLane(Mask holds) {
#if defined(__SSE2__)
  return __builtin_ia32_movmskpd(std::bit_cast<Pair>(holds)) != 0;  // one instruction
#else
  return (holds[0] | holds[1]) != 0;
#endif
}

// For lo <= hi, std::clamp's result, taken as a max and then a min: two instructions
// instead of two comparisons and their blends.
inline double laneClamp(double x, double lo, double hi) {
  const double above = x < lo ? lo : x;
  return hi < above ? hi : above;
}
inline Pair laneClamp(Pair x, double lo, double hi) {
  const Pair low = Pair{lo, lo}, high = Pair{hi, hi};
  const Pair above = x < low ? low : x;
  return high < above ? high : above;
}

}  // namespace substitute_host::plant

#include "sweep/draws.h"

#include <cmath>
#include <numbers>

#include "plant/phasor.h"

namespace substitute_host::sweep {

namespace {

// ln 2 in two parts, the first of 29 significant bits, so that e times it is exact.
constexpr double kLn2High = 0x1.62e42ffp-1;
constexpr double kLn2Low = -0x1.718432a1b0e26p-35;
constexpr double kSqrtHalf = 0x1.6a09e667f3bcdp-1;

}  // namespace

double naturalLog(double x) {
  // x = m 2^e with m in [sqrt(1/2), sqrt(2)): both steps exact.
  int e = 0;
  double m = std::frexp(x, &e);
  if (m < kSqrtHalf) {
    m *= 2.0;
    --e;
  }
  // ln m = 2 atanh(s) = 2 (s + s^3/3 + s^5/5 + ...), s = (m - 1) / (m + 1), |s| < 0.172:
  // the terms after s^21/21 are below 2^-56 of the sum.
  const double s = (m - 1.0) / (m + 1.0);
  const double s2 = s * s;
  double series = 1.0 / 21.0;
  for (int k = 19; k >= 3; k -= 2) series = series * s2 + 1.0 / k;
  const double lnM = 2.0 * s + (2.0 * s) * (s2 * series);
  return e * kLn2High + (lnM + e * kLn2Low);
}

std::uint64_t splitMix64(std::uint64_t word) {
  word += 0x9E3779B97F4A7C15ull;
  word = (word ^ (word >> 30)) * 0xBF58476D1CE4E5B9ull;
  word = (word ^ (word >> 27)) * 0x94D049BB133111EBull;
  return word ^ (word >> 31);
}

std::uint64_t drawWord(std::uint64_t seed, std::uint64_t runIndex, std::uint64_t keyNumber,
                       std::uint64_t stream) {
  // Each counter is mixed in on its own round, so that (seed, index) pairs that add up to
  // the same word still give unrelated numbers.
  std::uint64_t word = splitMix64(seed);
  word = splitMix64(word ^ runIndex);
  word = splitMix64(word ^ keyNumber);
  return splitMix64(word ^ stream);
}

double unitUniform(std::uint64_t word) { return static_cast<double>(word >> 11) * 0x1p-53; }

double drawUniform(std::uint64_t seed, std::uint64_t runIndex, std::uint64_t keyNumber,
                   double low, double high) {
  const double u = unitUniform(drawWord(seed, runIndex, keyNumber, 0));
  return low + (high - low) * u;
}

double drawNormal(std::uint64_t seed, std::uint64_t runIndex, std::uint64_t keyNumber,
                  double mean, double deviation) {
  // 1 - u lies in (0, 1], so its logarithm is finite.
  const double radius =
      std::sqrt(-2.0 * naturalLog(1.0 - unitUniform(drawWord(seed, runIndex, keyNumber, 0))));
  const double angle = 2.0 * std::numbers::pi * unitUniform(drawWord(seed, runIndex, keyNumber, 1));
  return mean + deviation * radius * plant::phasorOf(angle).c;
}

}  // namespace substitute_host::sweep

#include "sweep/draws.h"

#include <cmath>
#include <numbers>

namespace substitute_host::sweep {

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
      std::sqrt(-2.0 * std::log(1.0 - unitUniform(drawWord(seed, runIndex, keyNumber, 0))));
  const double angle = 2.0 * std::numbers::pi * unitUniform(drawWord(seed, runIndex, keyNumber, 1));
  return mean + deviation * radius * std::cos(angle);
}

}  // namespace substitute_host::sweep

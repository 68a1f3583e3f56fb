#pragma once

#include <cstdint>

namespace substitute_host::sweep {

// The random numbers of a sweep come from a counter-based generator: each is a function
// of the sweep's seed, the run's index and the varied key's number alone, never of the
// runs drawn before it. A run therefore reruns alone, on any machine and in any order,
// with the numbers it had: the logarithm and cosine a normal draw takes are computed
// here and in the plant from IEEE arithmetic alone, since the C library's last bits
// differ between builds and processors.

// SplitMix64's finaliser: a bijection of 64-bit words that mixes every input bit into
// every output bit.
std::uint64_t splitMix64(std::uint64_t word);

// The `stream`-th 64-bit word of the run's key (0 and 1 for the two uniforms a normal
// draw takes).
std::uint64_t drawWord(std::uint64_t seed, std::uint64_t runIndex, std::uint64_t keyNumber,
                       std::uint64_t stream);

// Uniform in [0, 1), from the word's top 53 bits: every value a multiple of 2^-53.
double unitUniform(std::uint64_t word);

// ln x for a positive finite x, within two units in the last place.
double naturalLog(double x);

// Uniform in [low, high).
double drawUniform(std::uint64_t seed, std::uint64_t runIndex, std::uint64_t keyNumber,
                   double low, double high);
// Normal with this mean and standard deviation (Box-Muller on two uniforms).
double drawNormal(std::uint64_t seed, std::uint64_t runIndex, std::uint64_t keyNumber,
                  double mean, double deviation);

}  // namespace substitute_host::sweep

#pragma once

#include <cstdint>
#include <limits>

namespace substitute_host {

// The distance between two singles in units in the last place: how many singles lie
// between them, plus one; 0 for the same single. Every NaN is the same as any NaN
// (whatever its sign and payload); a NaN against a number is kNanAgainstNumber, beyond
// every tolerance. The infinities are the ends of the line, one unit beyond the largest
// finite singles. +0 and -0 are neighbours, 1 apart, unless ignoreZeroSign makes them
// one point.
inline constexpr std::uint64_t kNanAgainstNumber = std::numeric_limits<std::uint64_t>::max();

std::uint64_t singleDistance(float a, float b, bool ignoreZeroSign);

}  // namespace substitute_host

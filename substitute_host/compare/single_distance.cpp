#include "compare/single_distance.h"

#include <cmath>
#include <cstring>

namespace substitute_host {
namespace {

// Maps singles in order of value to consecutive integers: positive ones to their bit
// patterns, negative ones below them, -0 just under +0 (or on it, when the sign of zero
// does not count).
std::int64_t orderedPosition(float value, bool ignoreZeroSign) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  const std::int64_t magnitude = bits & 0x7FFFFFFFu;
  if ((bits & 0x80000000u) == 0) return magnitude;
  return ignoreZeroSign ? -magnitude : -magnitude - 1;
}

}  // namespace

std::uint64_t singleDistance(float a, float b, bool ignoreZeroSign) {
  const bool aIsNan = std::isnan(a);
  const bool bIsNan = std::isnan(b);
  if (aIsNan || bIsNan) return aIsNan && bIsNan ? 0 : kNanAgainstNumber;
  const std::int64_t difference =
      orderedPosition(a, ignoreZeroSign) - orderedPosition(b, ignoreZeroSign);
  return static_cast<std::uint64_t>(difference < 0 ? -difference : difference);
}

}  // namespace substitute_host

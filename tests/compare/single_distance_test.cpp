// Distances between singles in ULP, at the places where a mapping to integers goes
// wrong: neighbours, the two zeros, across zero, the infinities and NaN.
#include "compare/single_distance.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

namespace {

using substitute_host::kNanAgainstNumber;
using substitute_host::singleDistance;

float single(std::uint32_t bits) { return std::bit_cast<float>(bits); }

TEST(SingleDistance, CountsTheSinglesBetween) {
  EXPECT_EQ(singleDistance(1.0f, 1.0f, false), 0u);
  EXPECT_EQ(singleDistance(single(0x3F800000), single(0x3F800001), false), 1u);  // 1, 1.0000001
  EXPECT_EQ(singleDistance(single(0x3DCCCCCD), single(0x3DCCCCCC), false), 1u);  // 0.1 down
  EXPECT_EQ(singleDistance(single(0xBF800005), single(0xBF800000), false), 5u);  // -1 side
  // Across a power of two the spacing changes but the count does not: 2^-1 to the single
  // below and above it.
  EXPECT_EQ(singleDistance(single(0x3EFFFFFF), single(0x3F000001), false), 2u);
  // Order does not matter.
  EXPECT_EQ(singleDistance(single(0x3F800001), single(0x3F800000), false), 1u);
}

TEST(SingleDistance, TheZerosAreNeighboursUnlessTheirSignIsIgnored) {
  EXPECT_EQ(singleDistance(0.0f, -0.0f, false), 1u);
  EXPECT_EQ(singleDistance(0.0f, -0.0f, true), 0u);
  // The smallest subnormals either side of zero: +1e-45 is 2 from -0 and 3 from -1e-45,
  // with both zeros between; with one zero, 2.
  const float tiny = single(0x00000001), minusTiny = single(0x80000001);
  EXPECT_EQ(singleDistance(tiny, -0.0f, false), 2u);
  EXPECT_EQ(singleDistance(tiny, minusTiny, false), 3u);
  EXPECT_EQ(singleDistance(tiny, minusTiny, true), 2u);
  EXPECT_EQ(singleDistance(tiny, -0.0f, true), 1u);
}

TEST(SingleDistance, InfinitiesEndTheLineAndNanMatchesOnlyNan) {
  const float inf = single(0x7F800000), largest = single(0x7F7FFFFF);
  EXPECT_EQ(singleDistance(inf, largest, false), 1u);
  EXPECT_EQ(singleDistance(inf, inf, false), 0u);
  // -inf to +inf: every finite single and both zeros between.
  EXPECT_EQ(singleDistance(-inf, inf, false), 2ull * 0x7F800000u + 1);

  const float quietNan = single(0x7FC00000), otherNan = single(0xFFC00123);
  const float signallingNan = single(0x7F800001);
  EXPECT_EQ(singleDistance(quietNan, otherNan, false), 0u);
  EXPECT_EQ(singleDistance(quietNan, signallingNan, false), 0u);
  EXPECT_EQ(singleDistance(quietNan, 1.0f, false), kNanAgainstNumber);
  EXPECT_EQ(singleDistance(inf, otherNan, true), kNanAgainstNumber);
}

}  // namespace

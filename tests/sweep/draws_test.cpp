// The generator under the draws, against the published SplitMix64 sequence, so that a
// sweep's numbers are those of the algorithm on any machine and compiler.
#include <gtest/gtest.h>

#include "sweep/draws.h"

namespace {

using namespace substitute_host::sweep;

TEST(SweepGenerator, SplitMix64GivesItsReferenceSequenceFromSeedZero) {
  // SplitMix64 adds the golden-ratio increment to its state before each output; from
  // state 0 its first three outputs are these (Steele, Lea and Flood's generator, as in
  // Vigna's reference splitmix64.c).
  constexpr std::uint64_t kIncrement = 0x9E3779B97F4A7C15ull;
  EXPECT_EQ(splitMix64(0), 0xE220A8397B1DCDAFull);
  EXPECT_EQ(splitMix64(kIncrement), 0x6E789E6AA1B965F4ull);
  EXPECT_EQ(splitMix64(2 * kIncrement), 0x06C45D188009454Full);
}

TEST(SweepGenerator, UnitUniformTakesTheTop53BitsAndStaysBelowOne) {
  EXPECT_EQ(unitUniform(0), 0.0);
  EXPECT_EQ(unitUniform(std::uint64_t{1} << 11), 0x1p-53);
  EXPECT_EQ(unitUniform((std::uint64_t{1} << 11) - 1), 0.0);  // the low 11 bits are dropped
  EXPECT_EQ(unitUniform(~std::uint64_t{0}), 1.0 - 0x1p-53);
}

TEST(SweepGenerator, EachCounterChangesTheWord) {
  const std::uint64_t base = drawWord(7, 3, 1, 0);
  EXPECT_NE(drawWord(8, 3, 1, 0), base);
  EXPECT_NE(drawWord(7, 4, 1, 0), base);
  EXPECT_NE(drawWord(7, 3, 2, 0), base);
  EXPECT_NE(drawWord(7, 3, 1, 1), base);
  // Seed and index are mixed in on rounds of their own: swapping them gives another word.
  EXPECT_NE(drawWord(3, 7, 1, 0), base);
}

}  // namespace

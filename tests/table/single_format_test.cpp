// Single to text: the shortest decimal that reads back as the same single, and one
// spelling for each special value.
#include "table/single_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace {

using substitute_host::formatOutputValue;
using substitute_host::kMaxOutputValueChars;

std::string formatted(float value) {
  char text[kMaxOutputValueChars + 8];
  char* end = formatOutputValue(value, text);
  EXPECT_LE(static_cast<std::size_t>(end - text), kMaxOutputValueChars);
  return std::string(text, end);
}

float fromBits(std::uint32_t bits) { return std::bit_cast<float>(bits); }

// Length of the shortest scientific text that names value exactly, found by asking
// printf for ever more digits: an independent bound the output must never exceed. (The
// output may be shorter: in fixed form, or at a binade's lower edge where the nearest
// p-digit decimal can miss the narrower lower half of the rounding interval.)
std::size_t shortestScientificLength(float value) {
  for (int decimals = 0; decimals <= 8; ++decimals) {
    char text[32];
    const int length =
        std::snprintf(text, sizeof text, "%.*e", decimals, static_cast<double>(value));
    if (std::strtof(text, nullptr) == value) return static_cast<std::size_t>(length);
  }
  return 99;
}

TEST(OutputValue, WritesKnownValuesInShortestForm) {
  EXPECT_EQ(formatted(0.1f), "0.1");
  EXPECT_EQ(formatted(16777216.0f), "16777216");
  EXPECT_EQ(formatted(-0.0f), "-0");
  EXPECT_EQ(formatted(fromBits(0x00000001u)), "1e-45");
  EXPECT_EQ(formatted(FLT_MAX), "3.4028235e+38");
  EXPECT_EQ(formatted(1e20f), "1e+20");
  EXPECT_EQ(formatted(0.159838676f), "0.15983868");
}

TEST(OutputValue, SpellsEachSpecialValueOneWay) {
  EXPECT_EQ(formatted(std::numeric_limits<float>::infinity()), "inf");
  EXPECT_EQ(formatted(-std::numeric_limits<float>::infinity()), "-inf");
  // Every NaN is "nan": quiet or signalling, either sign, any payload.
  for (std::uint32_t bits : {0x7FC00000u, 0xFFC00000u, 0x7F800001u, 0xFFBFFFFFu, 0x7FA5A5A5u}) {
    EXPECT_EQ(formatted(fromBits(bits)), "nan") << std::hex << bits;
  }
}

TEST(OutputValue, ReadsBackBitForBitAndNoLongerThanNeeded) {
  // A spread of bit patterns over the whole range, plus the edges of every binade.
  // Printing nine digits would also read back; it would fail the length bound.
  std::vector<std::uint32_t> patterns;
  for (std::uint64_t bits = 0; bits <= 0xFFFFFFFFu; bits += 65521) {
    patterns.push_back(static_cast<std::uint32_t>(bits));
  }
  for (std::uint32_t exponent = 0; exponent < 255; ++exponent) {
    for (std::uint32_t sign : {0u, 0x80000000u}) {
      patterns.push_back(sign | exponent << 23);
      patterns.push_back(sign | exponent << 23 | 0x007FFFFFu);
    }
  }
  for (std::uint32_t bits : patterns) {
    const float value = fromBits(bits);
    const std::string text = formatted(value);
    float back = 0.0f;
    ASSERT_TRUE(substitute_host::parseInputValue(text, back)) << text;
    if (std::isnan(value)) {
      EXPECT_TRUE(std::isnan(back)) << text;
      continue;
    }
    ASSERT_EQ(std::bit_cast<std::uint32_t>(back), bits) << text;
    if (!std::isinf(value)) {
      ASSERT_LE(text.size(), shortestScientificLength(value)) << text;
    }
  }
}

}  // namespace

// Output text: the shortest decimal that reads back as the same single, one spelling
// for each special value, and rows that survive the writer's buffering intact.
#include "replay/output_csv.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "replay/input_value.h"
#include "temp_stream.h"

namespace {

using substitute_host::formatOutputValue;
using substitute_host::kMaxOutputValueChars;
using substitute_host::OutputCsvWriter;

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

TEST(OutputCsv, WritesHeaderAndRowsThroughAnyBufferSize) {
  const float rows[3][6] = {
      {0.1f, -0.0f, 1e-45f, -7.57f, 400.0f, 3.4028235e+38f},
      {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
       -std::numeric_limits<float>::infinity(), 1.0f, 2.0f, 3.0f},
      {0, 0, 0, 0, 0, 0}};
  const std::string want =
      "vabcNorm1_a,vabcNorm1_b,vabcNorm1_c,vabcNorm2_a,vabcNorm2_b,vabcNorm2_c\n"
      "0.1,-0,1e-45,-7.57,400,3.4028235e+38\n"
      "nan,inf,-inf,1,2,3\n"
      "0,0,0,0,0,0\n";
  // 1 byte is below one row: the writer must make room rather than overrun.
  for (std::size_t bufferBytes : {1u, 40u, 200u, 1u << 18}) {
    FilePtr out = emptyStream();
    OutputCsvWriter writer(out.get(), bufferBytes);
    writer.writeHeader();
    for (const auto& row : rows) writer.writeRow(row);
    ASSERT_TRUE(writer.flush());
    EXPECT_EQ(contentsOf(out.get()), want) << "buffer " << bufferBytes;
  }
}

}  // namespace

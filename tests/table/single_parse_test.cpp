// Reading one field: the nearest single, straight from the decimal, and nothing but
// the accepted spellings.
#include "table/single_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

using substitute_host::parseInputValue;

std::uint32_t bitsOf(float value) { return std::bit_cast<std::uint32_t>(value); }

// Bit pattern of a parsed field; a refused field yields a sentinel no number parses to.
constexpr std::uint32_t kRefused = 0x7FBADBADu;
std::uint32_t parsedBits(const std::string& field) {
  float value = std::bit_cast<float>(kRefused);
  if (!parseInputValue(field, value)) {
    EXPECT_EQ(bitsOf(value), kRefused) << "a refused field must leave the value alone";
  }
  return bitsOf(value);
}

TEST(InputValue, ReadsDecimalsAsTheCompilersNearestSingle) {
  // The compiler rounds float literals correctly, so they are an independent reference.
  struct Case {
    const char* field;
    float want;
  };
  const Case cases[] = {
      {"0.1", 0.1f},
      {"-7.57", -7.57f},
      {"400", 400.0f},
      {".5", 0.5f},
      {"5.", 5.0f},
      {"1E-3", 1e-3f},
      {"2.5e+2", 250.0f},
      {"+2.5", 2.5f},
      {" \t3.25 ", 3.25f},
      {"0.005", 0.005f},
      {"1e-45", 1e-45f},
      {"3.4028235e+38", 3.4028235e+38f},
      {"1.17549435e-38", 1.17549435e-38f},
      {"123456789", 123456789.0f},
  };
  for (const Case& c : cases) EXPECT_EQ(parsedBits(c.field), bitsOf(c.want)) << c.field;
  EXPECT_EQ(parsedBits("0.1"), 0x3DCCCCCDu);
  EXPECT_EQ(parsedBits("-0"), 0x80000000u);
  EXPECT_EQ(parsedBits("-0.0e5"), 0x80000000u);
  EXPECT_EQ(parsedBits("1e-45"), 0x00000001u);  // the smallest subnormal
}

TEST(InputValue, RoundsOnceNotThroughDouble) {
  // 1 + 2^-24 lies exactly halfway between 1 and the next single: ties go to even.
  EXPECT_EQ(parsedBits("1.000000059604644775390625"), 0x3F800000u);
  // A hair above halfway belongs to the upper neighbour. Rounded to double first, it
  // lands exactly on the halfway point and then ties down to 1: the trap avoided here.
  const char* aboveHalf = "1.000000059604644775390626";
  EXPECT_EQ(parsedBits(aboveHalf), 0x3F800001u);
  EXPECT_EQ(bitsOf(static_cast<float>(std::strtod(aboveHalf, nullptr))), 0x3F800000u);
  // 1 + 3 * 2^-24 is halfway between odd and even neighbours: ties up to even.
  EXPECT_EQ(parsedBits("1.000000178813934326171875"), 0x3F800002u);
}

TEST(InputValue, RoundsBeyondTheSingleRangeLikeIeee) {
  const std::uint32_t plusInf = 0x7F800000u, minusInf = 0xFF800000u;
  EXPECT_EQ(parsedBits("1e50"), plusInf);
  EXPECT_EQ(parsedBits("-1e50"), minusInf);
  EXPECT_EQ(parsedBits("1e400"), plusInf);         // beyond double too
  EXPECT_EQ(parsedBits("3.4028236e38"), plusInf);  // past FLT_MAX + half an ulp
  EXPECT_EQ(parsedBits("0.000001e45"), plusInf);   // 1e39, by point and exponent
  EXPECT_EQ(parsedBits("340282366920938463463374607431768211456"), plusInf);  // 2^128
  EXPECT_EQ(parsedBits("1e-50"), 0x00000000u);
  EXPECT_EQ(parsedBits("-1e-50"), 0x80000000u);
  EXPECT_EQ(parsedBits("123456e-60"), 0x00000000u);
  EXPECT_EQ(parsedBits("0.0000001e-40"), 0x00000000u);
  EXPECT_EQ(parsedBits("7.0e-46"), 0x00000000u);  // below half the smallest subnormal
  EXPECT_EQ(parsedBits("7.1e-46"), 0x00000001u);  // above it: the smallest subnormal
}

TEST(InputValue, RoundsHugeDigitCountsAndExponentsToTheRightSide) {
  // Exponents far past any range: the saturated exponent decides.
  EXPECT_EQ(parsedBits("1e99999999999999999999999999"), 0x7F800000u);
  EXPECT_EQ(parsedBits("-1e99999999999999999999999999"), 0xFF800000u);
  EXPECT_EQ(parsedBits("1e-99999999999999999999999999"), 0x00000000u);
  EXPECT_EQ(parsedBits("0.1e-9223372036854775809"), 0x00000000u);
  // 1 followed by 110 million zeros, times 10^-200000000: about 10^-90000000, which is
  // zero; the digit count outweighs any exponent bound that ignores it.
  std::string digits = "1" + std::string(110'000'000, '0');
  EXPECT_EQ(parsedBits(digits + "e-200000000"), 0x00000000u);
  EXPECT_EQ(parsedBits(digits + "e-100000000"), 0x7F800000u);  // 10^10000000
  digits = "0." + std::string(110'000'000, '0') + "1";
  EXPECT_EQ(parsedBits(digits + "e100000000"), 0x00000000u);  // 10^-10000001
  EXPECT_EQ(parsedBits(digits + "e200000000"), 0x7F800000u);  // 10^89999999
}

TEST(InputValue, ReadsNanAndInfInAnyCase) {
  for (const char* field : {"nan", "NaN", "NAN", "nAn", "+nan", " nan "}) {
    float value = 0.0f;
    ASSERT_TRUE(parseInputValue(field, value)) << field;
    EXPECT_TRUE(std::isnan(value)) << field;
    EXPECT_FALSE(std::signbit(value)) << field;
  }
  float negativeNan = 0.0f;
  ASSERT_TRUE(parseInputValue("-NaN", negativeNan));
  EXPECT_TRUE(std::isnan(negativeNan));
  EXPECT_TRUE(std::signbit(negativeNan));
  for (const char* field : {"inf", "Inf", "INF", "+inf", "\tiNF"}) {
    EXPECT_EQ(parsedBits(field), 0x7F800000u) << field;
  }
  for (const char* field : {"-inf", "-INF", "-Inf"}) {
    EXPECT_EQ(parsedBits(field), 0xFF800000u) << field;
  }
}

TEST(InputValue, RefusesWhatIsNotOneNumber) {
  for (const char* field :
       {"",     " ",     "\t",    "+",        "-",
        ".",    "abc",   "1.2.3", "1e",       "1e+",
        "e5",   "0x10",  "1f",    "infinity", "nan(1)",
        "nanx", "in",    "1 2",   "+-1",      "--1",
        "++1",  "\"1\"", "1,",    "1;",       "\xD9\xA1" /* an Arabic-Indic digit */,
        "1\r"}) {
    EXPECT_EQ(parsedBits(field), kRefused) << "'" << field << "'";
  }
}

}  // namespace

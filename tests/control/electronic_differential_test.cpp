#include <bit>
#include <cmath>
#include <cstdint>
#include <algorithm>
#include <initializer_list>
#include <limits>
#include <random>

#include "control/electronic_differential.h"
#include "tests/support/exact_values.h"

namespace {

TEST(ElectronicDifferential, FirstCallHasNoSteeringTerm) {
  float ref[2], mean = 0;
  electronicDifferential(100, 100, 0.1f, ref, mean);
  EXPECT_TRUE(isSingle(ref[0], "100") && isSingle(ref[1], "100"));
  EXPECT_TRUE(isSingle(mean, "300"));

  electronicDifferential(100, 100, 0.1f, ref, mean);
  EXPECT_TRUE(isSingle(ref[0], "104.661568"));
  EXPECT_TRUE(isSingle(ref[1], "95.3384323"));
  EXPECT_TRUE(isSingle(mean, "300"));
}

TEST(ElectronicDifferential, SteeringSignSwapsTheReferences) {
  float ref[2], mean = 270;
  electronicDifferential(100, 80, 0.2f, ref, mean);
  EXPECT_TRUE(isSingle(ref[0], "98.4761429") && isSingle(ref[1], "81.5238495"));
  EXPECT_TRUE(isSingle(mean, "270"));
  electronicDifferential(100, 80, -0.2f, ref, mean);
  EXPECT_TRUE(isSingle(ref[0], "81.5238495") && isSingle(ref[1], "98.4761429"));
}

TEST(ElectronicDifferential, ZeroSteeringGivesTheMeanToBoth) {
  float ref[2], mean = 12345.5f;
  electronicDifferential(100, 80, 0, ref, mean);
  EXPECT_TRUE(isSingle(ref[0], "90") && isSingle(ref[1], "90"));
  EXPECT_TRUE(isSingle(mean, "270"));
}

TEST(ElectronicDifferential, OpposedSpeedsCancel) {
  float ref[2], mean = 0;
  electronicDifferential(-50, 50, 1.3f, ref, mean);
  EXPECT_TRUE(isSingle(ref[0], "0") && isSingle(ref[1], "0") && isSingle(mean, "0"));
}

TEST(ElectronicDifferential, InfiniteMemoryTurnsToNaN) {
  const float inf = std::numeric_limits<float>::infinity();
  float ref[2], mean = inf;
  electronicDifferential(1, 1, 0, ref, mean);  // inf * 0
  EXPECT_TRUE(std::isnan(ref[0]) && std::isnan(ref[1]) && std::isnan(mean));

  mean = inf;
  electronicDifferential(1, 1, 0.1f, ref, mean);  // +inf and -inf summed in the memory
  EXPECT_TRUE(std::isinf(ref[0]) && ref[0] > 0);
  EXPECT_TRUE(std::isinf(ref[1]) && ref[1] < 0);
  EXPECT_TRUE(std::isnan(mean));

  mean = 300;
  electronicDifferential(1, 1, inf, ref, mean);  // tan(inf) is NaN
  EXPECT_TRUE(std::isnan(ref[0]) && std::isnan(mean));
}

// The steering term k is ((1.05 * tan) / 1.13) * memory in double with the correctly
// rounded tangent, rounded once to single, and the differential goes on with d + k / 2
// and d - k / 2 in double, each rounded to single. The quick product must lie within 16
// double ulps of half the formula's double (the bound the rounding doubt allows for),
// and both halves must be the formula's bits for any angle, memory and common term d.
double halfFormula(float steer, float memory) {
  return ((static_cast<double>(1.05f) * tangentOf(steer)) / static_cast<double>(1.13f)) *
         static_cast<double>(memory) * 0.5;
}

// The sum's operands commute: where both are NaN, IEEE 754 lets either one's payload
// through, so either is the formula's. The difference's do not.
bool halvesAreTheFormulas(float d, float steer, float memory) {
  const auto bits = [](float x) { return std::bit_cast<std::uint32_t>(x); };
  const float k = static_cast<float>(halfFormula(steer, memory) * 2.0);
  const double g = static_cast<double>(k) * 0.5;
  float h, l;
  steeredHalves(d, steer, memory, h, l);
  const std::uint32_t quiet = 0x00400000u;
  const bool bothNaN = std::isnan(d) && std::isnan(k);
  const bool eitherNaN = bits(h) == (bits(d) | quiet) || bits(h) == (bits(k) | quiet);
  return (bothNaN ? eitherNaN : bits(h) == bits(static_cast<float>(static_cast<double>(d) + g))) &&
         bits(l) == bits(static_cast<float>(static_cast<double>(d) - g));
}

double ulpsApart(double a, double b) {
  const double ulp = std::nextafter(std::fabs(b), INFINITY) - std::fabs(b);
  return std::fabs(a - b) / ulp;
}

TEST(ElectronicDifferential, SteeringTermIsTheFormulaRoundedOnce) {
  std::mt19937 rng(17);
  std::uniform_real_distribution<float> angle(-1.0f, 1.0f);
  std::uniform_int_distribution<std::uint32_t> pattern(0, 0xFFFFFFFFu);
  int quickTaken = 0;
  double worst = 0;
  for (int i = 0; i < 4000000; ++i) {
    const float steer = i % 64 == 0 ? std::bit_cast<float>(pattern(rng)) : angle(rng);
    const float memory = std::bit_cast<float>((pattern(rng) & 0x7F7FFFFFu) | ((i & 1u) << 31));
    const double half = halfFormula(steer, memory);
    double quick;
    if (quickHalfSteeringProduct(steer, memory, quick) && memory != 0 && steer != 0) {
      ++quickTaken;
      worst = std::max(worst, ulpsApart(quick, half));
    }
    // Common terms near the steering term's size (where both roundings matter) and of
    // any pattern at all.
    const float d = i % 4 == 0 ? std::bit_cast<float>(pattern(rng))
                               : static_cast<float>(half) * angle(rng) * 4.0f;
    ASSERT_TRUE(halvesAreTheFormulas(d, steer, memory))
        << std::hexfloat << steer << " " << memory << " " << d;
  }
  EXPECT_GT(quickTaken, 3000000);
  EXPECT_LE(worst, 16.0);
}

// Products that land on or near a midpoint between singles: a memory that is a power of
// two scales the product exactly, so the angles whose 1.05 tan / 1.13 is nearest a
// midpoint carry that to every exponent. Zero, the smallest memories and NaN of either
// sign (which must come through bit for bit) are there too.
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(ElectronicDifferential, SteeringTermNearAMidpointIsTheFormulas) {
  const float steerNearMidpoint[] = {0x1.392a46p-5f, -0x1.ca332cp-5f, 0x1.9eeb8ep-4f};
  int inDoubt = 0;
  for (float steer : steerNearMidpoint)
    for (int e = -149; e <= 127; e += 3) {
      for (float memory : {std::ldexp(1.0f, e), -std::ldexp(1.0f, e), 0.0f, -0.0f, kNaN, -kNaN}) {
        double quick;
        if (quickHalfSteeringProduct(steer, memory, quick) && singleRoundingInDoubt(quick))
          ++inDoubt;
        for (float d : {0.0f, -0.0f, 1.0f, -3.0e-39f, 250.0f, kNaN})
          ASSERT_TRUE(halvesAreTheFormulas(d, steer, memory))
              << std::hexfloat << steer << " " << memory << " " << d;
      }
    }
  EXPECT_GT(inDoubt, 0);
}

// Where the quick double lies against the grid of singles: the doubtful band is 256
// double ulps on each side of every midpoint, plus the subnormal singles.
TEST(ElectronicDifferential, RoundingDoubtLiesAroundMidpointsAndBelowTheNormals) {
  const auto withBits = [](std::uint64_t bits) { return std::bit_cast<double>(bits); };
  const std::uint64_t midpoint = std::bit_cast<std::uint64_t>(1.0 + 0x1p-24);
  EXPECT_TRUE(singleRoundingInDoubt(withBits(midpoint)));
  EXPECT_TRUE(singleRoundingInDoubt(withBits(midpoint + 256)));
  EXPECT_TRUE(singleRoundingInDoubt(-withBits(midpoint - 256)));
  EXPECT_FALSE(singleRoundingInDoubt(withBits(midpoint + 257)));
  EXPECT_FALSE(singleRoundingInDoubt(withBits(midpoint - 257)));
  EXPECT_FALSE(singleRoundingInDoubt(1.0 + 0x1p-23));  // a single itself
  EXPECT_FALSE(singleRoundingInDoubt(0x1p-126));        // the smallest normal single
  EXPECT_TRUE(singleRoundingInDoubt(0x1.fffffffffffffp-127));
  EXPECT_TRUE(singleRoundingInDoubt(-0x1p-1074));
  EXPECT_FALSE(singleRoundingInDoubt(0.0));
  EXPECT_FALSE(singleRoundingInDoubt(-0.0));
  EXPECT_FALSE(singleRoundingInDoubt(std::numeric_limits<double>::infinity()));
}
}  // namespace

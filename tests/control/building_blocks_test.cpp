#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "control/clamps.h"
#include "control/current_limit.h"
#include "control/decoupling.h"
#include "tests/control/channel_steps.h"
#include "control/modulation_index.h"
#include "control/normalize.h"
#include "control/pi_step.h"
#include "tests/support/exact_values.h"

namespace {
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(ClarkeTransform, UsesTheRoundedGainsAsStored) {
  float ab[2];
  clarkeTransform(1, 0, 0, ab);
  EXPECT_TRUE(isSingle(ab[0], "0.666700006"));
  EXPECT_TRUE(isSingle(ab[1], "0"));
  clarkeTransform(1, -0.5f, -0.5f, ab);
  EXPECT_TRUE(isSingle(ab[0], "1.00005007"));
  EXPECT_TRUE(isSingle(ab[1], "0"));
  clarkeTransform(0, 1, -1, ab);
  EXPECT_TRUE(isSingle(ab[0], "0"));
  EXPECT_TRUE(isSingle(ab[1], "1.15480006"));
}

TEST(InverseClarkeTransform, SplitsAlphaAndBetaOverThePhases) {
  float abc[3];
  inverseClarkeTransform(1, 0, abc);
  EXPECT_TRUE(isSingle(abc[0], "1"));
  EXPECT_TRUE(isSingle(abc[1], "-0.5"));
  EXPECT_TRUE(isSingle(abc[2], "-0.5"));
  inverseClarkeTransform(0, 1, abc);
  EXPECT_TRUE(isSingle(abc[0], "0"));
  EXPECT_TRUE(isSingle(abc[1], "0.865999997"));
  EXPECT_TRUE(isSingle(abc[2], "-0.865999997"));
}

// The b and c phases are -alpha/2 +- beta * 0.866 summed in double and rounded to single;
// the transform takes single arithmetic where that gives the same bits (alpha/2 exact),
// so compare it with the double sum everywhere, across the tiny alphas where the halving
// stops being exact. Where beta's product and alpha are both NaN either payload is IEEE's.
TEST(InverseClarkeTransform, IsTheDoubleSumRoundedToSingle) {
  const auto bits = [](float x) { return std::bit_cast<std::uint32_t>(x); };
  std::mt19937 rng(23);
  std::uniform_int_distribution<std::uint32_t> pattern(0, 0xFFFFFFFFu);
  std::uniform_int_distribution<std::uint32_t> tiny(0, 0x02000000u);  // up to 2^-123
  for (int i = 0; i < 2000000; ++i) {
    const std::uint32_t sign = (pattern(rng) & 1u) << 31;
    const float alpha = std::bit_cast<float>((i % 2 ? pattern(rng) : tiny(rng)) | sign);
    const float beta = i % 3 ? std::bit_cast<float>(pattern(rng)) : alpha * 1.1547f;
    float abc[3];
    inverseClarkeTransform(alpha, beta, abc);
    const double h = static_cast<double>(alpha) * -0.5;
    const float k = beta * 0.866f;
    if (std::isnan(alpha) && std::isnan(k)) continue;
    ASSERT_EQ(bits(abc[0]), bits(alpha));
    ASSERT_EQ(bits(abc[1]), bits(static_cast<float>(h + static_cast<double>(k))))
        << std::hexfloat << alpha << " " << beta;
    ASSERT_EQ(bits(abc[2]), bits(static_cast<float>(h - static_cast<double>(k))))
        << std::hexfloat << alpha << " " << beta;
  }
}

TEST(ParkTransforms, TurnAtTwiceTheAngle) {
  const float eighthTurn = singleOf("0.785398185");
  float out[2];
  parkTransform(1, 0, eighthTurn, out);
  EXPECT_TRUE(isSingle(out[0], "-4.37113883e-8"));
  EXPECT_TRUE(isSingle(out[1], "-1"));
  inverseParkTransform(1, 0, eighthTurn, out);
  EXPECT_TRUE(isSingle(out[0], "-4.37113883e-8"));
  EXPECT_TRUE(isSingle(out[1], "1"));

  parkTransform(0.25f, -3, 0, out);
  EXPECT_TRUE(sameBits(out[0], 0.25f) && sameBits(out[1], -3));
  inverseParkTransform(0.25f, -3, 0, out);
  EXPECT_TRUE(sameBits(out[0], 0.25f) && sameBits(out[1], -3));
}

TEST(ParkTransforms, NonFiniteAngleGivesNaN) {
  float out[2];
  parkTransform(1, 2, std::numeric_limits<float>::infinity(), out);
  EXPECT_TRUE(std::isnan(out[0]) && std::isnan(out[1]));
  inverseParkTransform(1, 2, kNaN, out);
  EXPECT_TRUE(std::isnan(out[0]) && std::isnan(out[1]));
}

TEST(PiStep, IntegratesWithForwardEulerWhileUnclamped) {
  float integrator = 0;
  EXPECT_TRUE(isSingle(piStep(1, 0, 2, 0.5f, -10, 10, integrator, 0.1f), "2"));
  EXPECT_TRUE(isSingle(integrator, "0.400000006"));
  EXPECT_TRUE(isSingle(piStep(1, 0, 2, 0.5f, -10, 10, integrator, 0.1f), "2.4000001"));
  EXPECT_TRUE(isSingle(integrator, "0.800000012"));
}

TEST(PiStep, FreezesTheIntegratorOnlyWhenStrictlyOutside) {
  float integrator = 0;
  EXPECT_TRUE(isSingle(piStep(1, 0, 2, 0.5f, -10, 1.5f, integrator, 0.1f), "1.5"));
  EXPECT_TRUE(isSingle(integrator, "0"));
  EXPECT_TRUE(isSingle(piStep(1, 0, 2, 0.5f, -10, 2, integrator, 0.1f), "2"));
  EXPECT_TRUE(isSingle(integrator, "0.400000006"));

  integrator = 0;
  EXPECT_TRUE(isSingle(piStep(-1, 0, 2, 0.5f, -1.5f, 10, integrator, 0.1f), "-1.5"));
  EXPECT_TRUE(isSingle(integrator, "0"));
}

TEST(PiStep, CrossedLimitsTestTheUpperFirstAndNeverIntegrate) {
  float integrator = 0;
  EXPECT_TRUE(isSingle(piStep(1, 0, 2, 0.5f, 5, 1, integrator, 0.1f), "1"));  // u 2 > hi 1
  EXPECT_TRUE(isSingle(piStep(0, 0, 2, 0.5f, 5, 1, integrator, 0.1f), "5"));  // u 0 <= hi
  EXPECT_TRUE(isSingle(integrator, "0"));
}

TEST(PiStep, NaNPassesUnclampedAndPoisonsTheIntegrator) {
  float integrator = 0;
  EXPECT_TRUE(std::isnan(piStep(kNaN, 0, 2, 0.5f, -10, 10, integrator, 0.1f)));
  EXPECT_TRUE(std::isnan(integrator));

  integrator = 0;  // a NaN limit makes its test false: u passes and integrates
  EXPECT_TRUE(isSingle(piStep(1, 0, 2, 0.5f, kNaN, kNaN, integrator, 0.1f), "2"));
  EXPECT_TRUE(isSingle(integrator, "0.400000006"));
}

TEST(AddClampPair, ClampsEachAxisUpperFirst) {
  float z[2];
  addClampPair(1, 2, 3, 4, -5, 5, z);
  EXPECT_TRUE(isSingle(z[0], "4") && isSingle(z[1], "5"));
  addClampPair(-4, 0, -3, kNaN, -5, 5, z);
  EXPECT_TRUE(isSingle(z[0], "-5"));
  EXPECT_TRUE(std::isnan(z[1]));  // a NaN sum passes
  addClampPair(0, 0, 1, 9, 7, 3, z);  // crossed limits give the lower one
  EXPECT_TRUE(isSingle(z[0], "7") && isSingle(z[1], "7"));
  addClampPair(100, -100, 0, 0, kNaN, kNaN, z);  // NaN limits have no effect
  EXPECT_TRUE(isSingle(z[0], "100") && isSingle(z[1], "-100"));
}

TEST(ClampedSum, WritesOnlyTheSecondElement) {
  float pair[2] = {42, 0};
  clampedSum(5, 10, 8, pair);
  EXPECT_TRUE(isSingle(pair[1], "8"));
  clampedSum(5, -20, 8, pair);
  EXPECT_TRUE(isSingle(pair[1], "-8"));
  clampedSum(1, 2, -4, pair);  // a negative limit yields -L whatever the sum
  EXPECT_TRUE(isSingle(pair[1], "4"));
  clampedSum(kNaN, 2, 8, pair);
  EXPECT_TRUE(std::isnan(pair[1]));
  clampedSum(500, 2, kNaN, pair);  // a NaN limit clamps on neither side
  EXPECT_TRUE(isSingle(pair[1], "502"));
  EXPECT_TRUE(isSingle(pair[0], "42"));
}

TEST(DecouplingTerms, DependOnReferencesAndTheDoubledSpeed) {
  float ff[2];
  decouplingTerms(-10, 20, 50, 0.5f, 0.25f, 0.125f, 2, ff);
  EXPECT_TRUE(isSingle(ff[0], "-255"));  // 0.5*-10 - (0.125*100)*20
  EXPECT_TRUE(isSingle(ff[1], "-40"));   // (-10*0.25 + 2)*100 + 0.5*20
}

TEST(ModulationIndexUpdate, FiltersTowardsTheRawIndex) {
  float m[2] = {0, 0};
  modulationIndexUpdate(3, 4, 0.02f, m);
  EXPECT_TRUE(isSingle(m[0], "0.0247924998"));
  EXPECT_TRUE(isSingle(m[1], "0.000495849992"));
  const float before = m[1];
  modulationIndexUpdate(3, 4, 0.02f, m);
  EXPECT_TRUE(sameBits(m[1], (m[0] - before) * 0.02f + before));
  EXPECT_GT(m[1], before);
}

TEST(QCurrentLimit, LeavesRoomForTheDCurrent) {
  EXPECT_TRUE(isSingle(qCurrentLimit(300, -285), "93.6749725"));
  EXPECT_TRUE(isSingle(qCurrentLimit(5, 3), "4"));
  EXPECT_TRUE(isSingle(qCurrentLimit(300, 0), "300"));
  EXPECT_TRUE(std::isnan(qCurrentLimit(3, 5)));
}

TEST(NormalizeByHalfDc, DividesByHalfTheLink) {
  float n[3];
  normalizeByHalfDc(100, -50, -50, 400, n);
  EXPECT_TRUE(isSingle(n[0], "0.5") && isSingle(n[1], "-0.25") && isSingle(n[2], "-0.25"));
  normalizeByHalfDc(1, 0, -1, 3, n);  // a division, not a product with 1/1.5
  EXPECT_TRUE(sameBits(n[0], 1.0f / 1.5f));
  normalizeByHalfDc(1, 0, -1, 0, n);
  EXPECT_TRUE(std::isinf(n[0]) && n[0] > 0);
  EXPECT_TRUE(std::isnan(n[1]));
  EXPECT_TRUE(std::isinf(n[2]) && n[2] < 0);
}
}  // namespace

// The controller's own cosine, sine and tangent: values fixed to the bit (from MPFR,
// correctly rounded), the special values, and the fast paths against the careful ones.
// The same program runs in the Windows build, where the digest ties its results to
// those verify-trig checks against the C library and MPFR on Linux.
#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>

#include "control/trig/angle_reduction.h"
#include "control/trig/sine_cosine.h"
#include "control/trig/tangent.h"
#include "tests/control/trig/trig_sample.h"
#include "tests/support/exact_values.h"

namespace {

::testing::AssertionResult isDouble(double actual, double expected) {
  if (std::bit_cast<std::uint64_t>(actual) == std::bit_cast<std::uint64_t>(expected))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << std::hexfloat << "got " << actual << ", want " << expected;
}

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(OwnTrigonometry, TangentIsCorrectlyRounded) {
  EXPECT_TRUE(isDouble(tangentOf(0.1f), 0x1.9af887db9f053p-4));
  EXPECT_TRUE(isDouble(tangentOf(0.005f), 0x1.47aec6f570869p-8));
  EXPECT_TRUE(isDouble(tangentOf(-0.2f), -0x1.9f2670d340f49p-3));
  EXPECT_TRUE(isDouble(tangentOf(-1.5f), -0x1.c33ed50b88777p+3));
  // The single nearest a quarter turn lies just above it.
  EXPECT_TRUE(isDouble(tangentOf(1.57079637f), -0x1.5d14946dc9897p+24));
  // Far beyond one turn the reduction is exact.
  EXPECT_TRUE(isDouble(tangentOf(1e10f), -0x1.1de000f443f5p-1));
  EXPECT_TRUE(isDouble(tangentOf(3.40282347e38f), -0x1.393d94b4988c2p-1));
}

TEST(OwnTrigonometry, RotationOfLargeAnglesIsExact) {
  SineCosine r = sineCosineOf(1e10f);
  EXPECT_TRUE(isSingle(r.cosPhi, "0.873119652") && isSingle(r.sinPhi, "-0.487506032"));
  r = sineCosineOf(3.40282347e38f);
  EXPECT_TRUE(isSingle(r.cosPhi, "0.853021026") && isSingle(r.sinPhi, "-0.521876514"));
  r = sineCosineOf(12345.6777f);
  EXPECT_TRUE(isSingle(r.cosPhi, "0.709932327") && isSingle(r.sinPhi, "-0.704269886"));
}

TEST(OwnTrigonometry, SpecialValues) {
  SineCosine r = sineCosineOf(-0.0f);
  EXPECT_TRUE(isSingle(r.cosPhi, "1") && isSingle(r.sinPhi, "-0"));
  r = sineCosineOf(0.0f);
  EXPECT_TRUE(isSingle(r.cosPhi, "1") && isSingle(r.sinPhi, "0"));
  r = sineCosineOf(1e-45f);  // the smallest subnormal: sin is the angle itself
  EXPECT_TRUE(isSingle(r.cosPhi, "1") && isSingle(r.sinPhi, "1e-45"));
  for (float x : {kInf, -kInf, kNaN}) {
    r = sineCosineOf(x);
    EXPECT_TRUE(std::isnan(r.cosPhi) && std::isnan(r.sinPhi)) << x;
    EXPECT_TRUE(std::isnan(tangentOf(x))) << x;
  }
  EXPECT_TRUE(isDouble(tangentOf(0.0f), 0.0));
  EXPECT_TRUE(isDouble(tangentOf(-0.0f), -0.0));
  EXPECT_TRUE(isDouble(tangentOf(-1e-45f), static_cast<double>(-1e-45f)));
}

// The fast paths are what the drive step runs; the careful paths are slower and
// simpler. On any angle both must give the same bits.
TEST(OwnTrigonometry, FastPathsAgreeWithTheCarefulOnes) {
  std::mt19937 rng(12);
  std::uniform_int_distribution<std::uint32_t> pattern(0, 0x497FFFFFu);  // |angle| < 2^20
  for (int i = 0; i < 200000; ++i) {
    const float angle = std::bit_cast<float>(pattern(rng) | (i & 1u) << 31);
    const SineCosine fast = sineCosineOf(angle), careful = accurateSineCosine(angle);
    ASSERT_TRUE(sameBits(fast.cosPhi, careful.cosPhi) && sameBits(fast.sinPhi, careful.sinPhi))
        << std::hexfloat << angle;
    ASSERT_TRUE(isDouble(tangentOf(angle), accurateTangent(angle))) << std::hexfloat << angle;
  }
}

// The first tier splits an angle at the nearest multiple of 1/128; halfway between two
// of them either neighbour may be taken, and the angles just around each halfway point
// must still give the careful path's bits, on both sides of every table entry.
TEST(OwnTrigonometry, TangentAgreesAroundEveryTableBoundary) {
  for (int j = 0; j < 101; ++j) {
    const float halfway = (static_cast<float>(j) + 0.5f) / 128.0f;
    float angle = halfway;
    for (int k = 0; k < 8; ++k) angle = std::nextafter(angle, 0.0f);
    for (int k = 0; k < 17; ++k, angle = std::nextafter(angle, 1.0f)) {
      ASSERT_TRUE(isDouble(tangentOf(angle), accurateTangent(angle))) << std::hexfloat << angle;
      ASSERT_TRUE(isDouble(tangentOf(-angle), accurateTangent(-angle))) << std::hexfloat << angle;
    }
  }
}

// The drive step takes both motors' rotations in one vector pass, from half of each
// angle; each must be the rotation of its own doubled angle, whatever the other lane
// holds, the careful path's angles included.
TEST(OwnTrigonometry, PairOfRotationsEqualsEachAlone) {
  std::mt19937 rng(3);
  std::uniform_int_distribution<std::uint32_t> pattern(0, 0xFFFFFFFFu);
  std::uniform_real_distribution<float> turn(-12.6f, 12.6f);
  for (int i = 0; i < 200000; ++i) {
    const std::uint32_t guard = kGuardAngles[i % std::size(kGuardAngles)] - 0x00800000u;
    const float a = i % 3 == 0 ? std::bit_cast<float>(pattern(rng)) : turn(rng);
    const float b = i % 5 == 0 ? std::bit_cast<float>(pattern(rng))
                               : i % 7 == 0 ? std::bit_cast<float>(guard) : turn(rng);
    SineCosine ra, rb;
    sineCosinePairOfHalves(a, b, ra, rb);
    const SineCosine sa = sineCosineOf(a + a), sb = sineCosineOf(b + b);
    ASSERT_TRUE(sameBits(ra.cosPhi, sa.cosPhi) && sameBits(ra.sinPhi, sa.sinPhi)) << std::hexfloat << a;
    ASSERT_TRUE(sameBits(rb.cosPhi, sb.cosPhi) && sameBits(rb.sinPhi, sb.sinPhi)) << std::hexfloat << b;
  }
}

// Below 2^20 the three-part reduction stands in for the exact one.
TEST(OwnTrigonometry, ShortReductionAgreesWithTheExactOne) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<std::uint32_t> pattern(0x3F490FDBu, 0x497FFFFFu);
  for (int i = 0; i < 100000; ++i) {
    const float angle = std::bit_cast<float>(pattern(rng));
    const ReducedAngle a = reduceShortAngle(angle), b = reduceAngleExactly(angle);
    ASSERT_EQ(a.quadrant, b.quadrant) << std::hexfloat << angle;
    const double difference = (a.r.hi - b.r.hi) + (a.r.lo - b.r.lo);
    ASSERT_LE(std::fabs(difference), 0x1p-95) << std::hexfloat << angle;
  }
}

// FNV-1a over the bits of every result on the sampled angles. The value is the one the
// Linux build gives, where verify-trig finds these same results equal to the C library's
// rotation and the correctly rounded tangent; any other platform must give it too.
TEST(OwnTrigonometry, SampledResultsAreTheVerifiedOnes) {
  std::uint64_t digest = 0xCBF29CE484222325u;
  const auto mix = [&digest](std::uint64_t bits) {
    for (int k = 0; k < 8; ++k) digest = (digest ^ ((bits >> (8 * k)) & 0xFFu)) * 0x100000001B3u;
  };
  // Every 16th of the spread (a thousand or more per exponent and sign), and all the
  // angles after it: those that take the careful path and the special values.
  const std::vector<std::uint32_t> angles = sampledAngles();
  for (std::size_t i = 0; i < angles.size(); i += i < kSpreadSamples ? 16 : 1) {
    const float angle = std::bit_cast<float>(angles[i]);
    const SineCosine r = sineCosineOf(angle);
    mix(std::bit_cast<std::uint32_t>(r.cosPhi));
    mix(std::bit_cast<std::uint32_t>(r.sinPhi));
    mix(std::bit_cast<std::uint64_t>(tangentOf(angle)));
  }
  EXPECT_EQ(digest, UINT64_C(0x8882C1C4ED3DC393));
}
}  // namespace

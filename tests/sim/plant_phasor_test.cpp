// The plant's own sine and cosine against MPFR's correctly rounded ones: the plant must
// not take them from the C library, whose last bits vary between builds and machines, so
// they are checked here against a library that rounds exactly.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "plant/phasor.h"
#include "tests/support/mpfr_reference.h"

namespace substitute_host::plant {
namespace {

using corvalent2_test::ulpsApart;

// f(x) rounded once to the nearest double.
double exactly(corvalent2_test::MpfrFunction f, double x) {
  return corvalent2_test::correctlyRounded(f, x);
}

// Angles of every kind the plant meets and a few it should not: the rotors' electrical
// angles, tiny ones, ones just off a multiple of pi/2 (where the reduction cancels) and
// large headings.
std::vector<double> sampleAngles() {
  std::mt19937_64 rng(20261208);
  std::vector<double> angles;
  std::uniform_real_distribution<double> turns(-8.0 * M_PI, 8.0 * M_PI);
  std::uniform_real_distribution<double> exponent(-300.0, 0.0);
  std::uniform_real_distribution<double> far(-1e5, 1e5);
  for (int i = 0; i < 100000; ++i) angles.push_back(turns(rng));
  for (int i = 0; i < 20000; ++i) angles.push_back((i % 2 ? -1 : 1) * std::pow(10.0, exponent(rng)));
  for (int i = 0; i < 20000; ++i) angles.push_back(far(rng));
  for (int k = -1000; k <= 1000; ++k) {
    const double multiple = k * (M_PI / 2.0);
    double below = multiple, above = multiple;
    for (int step = 0; step < 8; ++step) {
      below = std::nextafter(below, -INFINITY);
      above = std::nextafter(above, INFINITY);
      angles.insert(angles.end(), {below, above});
    }
  }
  return angles;
}

TEST(PlantTrigonometry, SineAndCosineAreWithinTwoUnitsInTheLastPlaceOfTheExactValue) {
  std::int64_t worstSine = 0, worstCosine = 0;
  for (double x : sampleAngles()) {
    const Phasor p = phasorOf(x);
    const std::int64_t sine = ulpsApart(p.s, exactly(mpfr_sin, x));
    const std::int64_t cosine = ulpsApart(p.c, exactly(mpfr_cos, x));
    // A Taylor series with rounded terms, summed in doubles: most results are within
    // one unit, a few in a thousand (more for far angles, whose reduction rounds) two.
    ASSERT_LE(sine, 2) << "sin of " << std::hexfloat << x;
    ASSERT_LE(cosine, 2) << "cos of " << std::hexfloat << x;
    worstSine = std::max(worstSine, sine);
    worstCosine = std::max(worstCosine, cosine);
  }
  RecordProperty("worstSineUlps", static_cast<int>(worstSine));
  RecordProperty("worstCosineUlps", static_cast<int>(worstCosine));
}

TEST(PlantTrigonometry, TheTangentIsWithinFiveUnitsInTheLastPlace) {
  // The sine over the cosine: two units each and the division's half.
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> steer(-1.5, 1.5);
  for (int i = 0; i < 50000; ++i) {
    const double x = steer(rng);
    ASSERT_LE(ulpsApart(tangentOf(x), exactly(mpfr_tan, x)), 5) << std::hexfloat << x;
  }
}

TEST(PlantTrigonometry, EachLaneOfAPairGivesTheSingleAnglesBits) {
  const std::vector<double> angles = sampleAngles();
  for (std::size_t i = 0; i + 1 < angles.size(); i += 2) {
    const PhasorOf<Pair> both = phasorOf(Pair{angles[i], angles[i + 1]});
    for (int lane = 0; lane < 2; ++lane) {
      const Phasor one = phasorOf(angles[i + lane]);
      ASSERT_EQ(std::bit_cast<std::uint64_t>(both.s[lane]), std::bit_cast<std::uint64_t>(one.s));
      ASSERT_EQ(std::bit_cast<std::uint64_t>(both.c[lane]), std::bit_cast<std::uint64_t>(one.c));
    }
  }
}

TEST(PlantTrigonometry, HalfPisPartsAreExactMultiplicandsThatSumToIt) {
  using namespace phasor_detail;
  // At most 33 significant bits in the first two parts: k times them is exact for k < 2^20.
  for (double part : {kHalfPi1, kHalfPi2}) {
    const auto bits = std::bit_cast<std::uint64_t>(part) & ((std::uint64_t{1} << 52) - 1);
    EXPECT_EQ(bits & ((std::uint64_t{1} << 20) - 1), 0u) << std::hexfloat << part;
  }
  mpfr_t halfPi, sum;
  mpfr_inits2(300, halfPi, sum, static_cast<mpfr_ptr>(nullptr));
  mpfr_const_pi(halfPi, MPFR_RNDN);
  mpfr_div_2ui(halfPi, halfPi, 1, MPFR_RNDN);
  mpfr_set_d(sum, kHalfPi1, MPFR_RNDN);
  mpfr_add_d(sum, sum, kHalfPi2, MPFR_RNDN);
  mpfr_add_d(sum, sum, kHalfPi3, MPFR_RNDN);
  mpfr_sub(sum, sum, halfPi, MPFR_RNDN);
  EXPECT_LT(std::abs(mpfr_get_d(sum, MPFR_RNDN)), 0x1p-120);
  EXPECT_EQ(kTwoOverPi, exactly([](mpfr_ptr r, mpfr_srcptr, mpfr_rnd_t rnd) {
              mpfr_const_pi(r, rnd);
              return mpfr_ui_div(r, 2, r, rnd);
            }, 0.0));
  mpfr_clears(halfPi, sum, static_cast<mpfr_ptr>(nullptr));
}

TEST(PlantTrigonometry, AnglesNotFiniteGiveNaNAndFarOnesStayWithinTheirFoldingError) {
  for (double x : {NAN, INFINITY, -INFINITY}) {
    const Phasor p = phasorOf(x);
    EXPECT_TRUE(std::isnan(p.s) && std::isnan(p.c)) << x;
  }
  // Folded by a double's 2 pi, off the true turn by |x| 2^-51 at most.
  for (double x : {1e6, -3.5e7, 1e12}) {
    const Phasor p = phasorOf(x);
    const double allowed = std::abs(x) * 0x1p-51;
    EXPECT_NEAR(p.s, exactly(mpfr_sin, x), allowed) << x;
    EXPECT_NEAR(p.c, exactly(mpfr_cos, x), allowed) << x;
  }
}

}  // namespace
}  // namespace substitute_host::plant

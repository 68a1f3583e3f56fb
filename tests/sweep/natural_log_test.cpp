// The sweep's own logarithm against MPFR's correctly rounded one: a normal draw takes
// it, and a run must draw the same numbers on every machine of a cluster, which the C
// library's logarithm does not promise.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "sweep/draws.h"
#include "tests/support/mpfr_reference.h"

namespace substitute_host::sweep {
namespace {

using corvalent2_test::ulpsApart;

double exactLog(double x) { return corvalent2_test::correctlyRounded(mpfr_log, x); }

// What a normal draw takes the logarithm of, 1 - u for u a multiple of 2^-53 in [0, 1),
// with the hardest places: just below 1 (where the logarithm is tiny), around the
// mantissa's split at sqrt(1/2) and at powers of two; then numbers of any size.
std::vector<double> sampleArguments() {
  std::mt19937_64 rng(20261208);
  std::vector<double> xs;
  for (int i = 0; i < 100000; ++i) xs.push_back(1.0 - static_cast<double>(rng() >> 11) * 0x1p-53);
  for (int k = 1; k <= 2000; ++k) xs.push_back(1.0 - k * 0x1p-53);
  for (double centre : {M_SQRT1_2, 0.5, 0.25, 0x1p-53, 1.0}) {
    double below = centre, above = centre;
    for (int step = 0; step < 50; ++step) {
      below = std::nextafter(below, 0.0);
      above = std::nextafter(above, 2.0);
      xs.insert(xs.end(), {below, above});
    }
  }
  std::uniform_real_distribution<double> exponent(-1000.0, 1000.0);
  for (int i = 0; i < 20000; ++i) xs.push_back(std::exp2(exponent(rng)));
  return xs;
}

TEST(SweepLogarithm, IsWithinTwoUnitsInTheLastPlaceOfTheExactValue) {
  std::int64_t worst = 0;
  for (double x : sampleArguments()) {
    const std::int64_t apart = ulpsApart(naturalLog(x), exactLog(x));
    ASSERT_LE(apart, 2) << "ln of " << std::hexfloat << x;
    worst = std::max(worst, apart);
  }
  RecordProperty("worstUlps", static_cast<int>(worst));
}

TEST(SweepLogarithm, OneIsExactlyZeroAndPowersOfTwoAreMultiplesOfLnTwo) {
  EXPECT_EQ(std::bit_cast<std::uint64_t>(naturalLog(1.0)), 0u);
  for (int e : {-1074, -1022, -53, -1, 1, 100, 1023})
    EXPECT_LE(ulpsApart(naturalLog(std::ldexp(1.0, e)), exactLog(std::ldexp(1.0, e))), 1) << e;
}

}  // namespace
}  // namespace substitute_host::sweep

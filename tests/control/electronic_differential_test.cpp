#include <cmath>
#include <limits>

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
}  // namespace

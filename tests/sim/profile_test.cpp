#include "plant/profile.h"

#include <gtest/gtest.h>

namespace substitute_host::plant {
namespace {

TEST(Profile, IsLinearBetweenPointsAndHoldsItsEndValuesOutside) {
  const Profile p({{0.5, 0.0}, {1.5, 100.0}, {3.5, -100.0}});
  EXPECT_DOUBLE_EQ(p.at(0.0), 0.0);
  EXPECT_DOUBLE_EQ(p.at(0.75), 25.0);
  EXPECT_DOUBLE_EQ(p.at(1.5), 100.0);
  EXPECT_DOUBLE_EQ(p.at(3.0), -50.0);
  EXPECT_DOUBLE_EQ(p.at(3.5), -100.0);
  EXPECT_DOUBLE_EQ(p.at(100.0), -100.0);
}

TEST(Profile, OnePointIsAConstantAndTwoClosePointsAStep) {
  const Profile constant({{2.0, 400.0}});
  EXPECT_DOUBLE_EQ(constant.at(0.0), 400.0);
  EXPECT_DOUBLE_EQ(constant.at(9.0), 400.0);

  const Profile step({{0.0, 0.0}, {1.0, 0.0}, {1.0 + 1e-9, 5.0}});
  EXPECT_DOUBLE_EQ(step.at(1.0), 0.0);
  EXPECT_NEAR(step.at(1.0 + 0.5e-9), 2.5, 1e-6);
  EXPECT_DOUBLE_EQ(step.at(1.001), 5.0);
}

}  // namespace
}  // namespace substitute_host::plant

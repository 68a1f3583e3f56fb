#include "plant/profile.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <vector>

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

TEST(Profile, ALookupThatRemembersItsSegmentGivesTheSearchsBits) {
  const Profile p({{0.1, 3.0}, {0.2, -7.0}, {0.2 + 1e-9, 11.0}, {0.75, 0.25}, {2.0, 1e3}});
  std::size_t segment = 0;
  // A run's growing times through every segment, then a jump back and forward again.
  std::vector<double> times;
  for (int k = 0; k < 50000; ++k) times.push_back(k * 50e-6);
  for (double t : {0.15, 0.2, 0.2000000005, 1.0, 0.05, 0.3, 5.0, 0.1}) times.push_back(t);
  for (double t : times) {
    const double searched = p.at(t);
    const double remembered = p.at(t, segment);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(remembered), std::bit_cast<std::uint64_t>(searched))
        << "at t = " << t;
  }
}

}  // namespace
}  // namespace substitute_host::plant

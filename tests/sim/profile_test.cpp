#include <gtest/gtest.h>

#include "sim/profile.h"

namespace corvalent2::sim {
namespace {

TEST(Profile, InterpolatesLinearlyBetweenNeighbouringPoints) {
    const Profile p({{0.0, 0.0}, {1.0, 100.0}, {3.0, -100.0}});
    EXPECT_DOUBLE_EQ(p.at(0.25), 25.0);
    EXPECT_DOUBLE_EQ(p.at(1.0), 100.0);
    EXPECT_DOUBLE_EQ(p.at(2.0), 0.0);
    EXPECT_DOUBLE_EQ(p.at(2.5), -50.0);
}

TEST(Profile, HoldsTheEndValuesOutsideItsPoints) {
    const Profile p({{0.5, 10.0}, {1.5, 20.0}});
    EXPECT_DOUBLE_EQ(p.at(0.0), 10.0);
    EXPECT_DOUBLE_EQ(p.at(0.49), 10.0);
    EXPECT_DOUBLE_EQ(p.at(1.5), 20.0);
    EXPECT_DOUBLE_EQ(p.at(100.0), 20.0);
}

TEST(Profile, OnePointIsAConstant) {
    const Profile p({{2.0, 400.0}});
    EXPECT_DOUBLE_EQ(p.at(0.0), 400.0);
    EXPECT_DOUBLE_EQ(p.at(2.0), 400.0);
    EXPECT_DOUBLE_EQ(p.at(9.0), 400.0);
}

TEST(Profile, TwoClosePointsMakeAStep) {
    const Profile p({{0.0, 0.0}, {1.0, 0.0}, {1.0 + 1e-9, 5.0}, {2.0, 5.0}});
    EXPECT_DOUBLE_EQ(p.at(0.999), 0.0);
    EXPECT_DOUBLE_EQ(p.at(1.0), 0.0);
    EXPECT_NEAR(p.at(1.0 + 0.5e-9), 2.5, 1e-6);
    EXPECT_DOUBLE_EQ(p.at(1.001), 5.0);
}

}  // namespace
}  // namespace corvalent2::sim

// The simulator in closed loop with the block, reached as the host reaches it: the
// loaded module, installed into a host record, stepped through its output method. The
// controller keeps one process-wide state that no call resets, so each case must start
// in a fresh process: ctest runs every case on its own (gtest_discover_tests), and a second
// closed-loop case in the same process skips itself rather than start from the
// state the first one left.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "loader/installed_block.h"
#include "plant/simulation.h"

namespace substitute_host::plant {
namespace {

int closedLoopRunsInThisProcess = 0;

class ClosedLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    if (closedLoopRunsInThisProcess++ > 0) {
      GTEST_SKIP() << "needs a fresh process: the controller's state is process-wide "
                      "(run through ctest, or one case at a time with --gtest_filter)";
    }
    std::string error;
    ASSERT_TRUE(block_.open(CORVALENT2_MODULE_PATH, error)) << error;
  }

  static Scenario scenario(double duration, double initialSpeed, double iqCommand, double steer,
                           double udc = 400.0) {
    Scenario s;
    s.duration = duration;
    s.initialSpeed = initialSpeed;
    s.iqCommand = Profile({{0.0, 0.0}, {0.02, iqCommand}});
    // Steering comes in over 0.1 s, as a driver would.
    s.steerAngle = Profile({{0.0, 0.0}, {0.1, steer}});
    s.udc = Profile({{0.0, udc}});
    return s;
  }

  std::vector<StepRecord> run(const Scenario& s) {
    std::vector<StepRecord> rows;
    result_ = runSimulation(s, substitute_host::InstalledBlock::stepThroughSlot, &block_, {},
                            [&rows](const StepRecord& r) {
                              rows.push_back(r);
                              return true;
                            });
    EXPECT_TRUE(result_.ok()) << result_.error;
    return rows;
  }

  static double omega(const StepRecord& r, int m) { return r.inputs[m == 0 ? 4 : 9]; }

  // Outer over inner rear wheel speed for a kinematic turn of radius wheelbase / tan(steer).
  static double geometricRatio(double steer) {
    const PlantParams p;
    const double radius = p.wheelbase / std::tan(std::abs(steer));
    return (radius + p.track / 2) / (radius - p.track / 2);
  }

  SimulationResult result_;
  substitute_host::InstalledBlock block_;
};

TEST_F(ClosedLoop, StraightAccelerationKeepsBothWheelsAtOneSpeed) {
  const auto rows = run(scenario(1.0, 0.0, 75.0, 0.0));
  ASSERT_FALSE(rows.empty());
  for (const auto& r : rows) {
    ASSERT_NEAR(omega(r, 0), omega(r, 1), 1e-4 * std::abs(omega(r, 0)) + 1e-3) << r.time;
    ASSERT_EQ(r.y, 0.0);
  }
  EXPECT_GT(result_.finalState.speed(), 2.0);  // it did accelerate
}

TEST_F(ClosedLoop, LeftTurnRunsMotorOneFasterByTheGeometricRatio) {
  const double steer = 0.15;
  const auto rows = run(scenario(1.0, 8.0, 5.0, steer));
  const StepRecord& last = rows.back();
  EXPECT_GT(omega(last, 0), omega(last, 1));
  EXPECT_NEAR(omega(last, 0) / omega(last, 1), geometricRatio(steer), 0.001);
  for (int m = 0; m < 2; ++m) EXPECT_LT(std::abs(last.motor[m].slip), 0.01);
  EXPECT_GT(last.y, 0.0);  // and the vehicle went left
}

TEST_F(ClosedLoop, RightTurnRunsMotorTwoFasterByTheGeometricRatio) {
  const double steer = -0.15;
  const auto rows = run(scenario(1.0, 8.0, 5.0, steer));
  const StepRecord& last = rows.back();
  EXPECT_GT(omega(last, 1), omega(last, 0));
  EXPECT_NEAR(omega(last, 1) / omega(last, 0), geometricRatio(steer), 0.001);
  for (int m = 0; m < 2; ++m) EXPECT_LT(std::abs(last.motor[m].slip), 0.01);
  EXPECT_LT(last.y, 0.0);
}

TEST_F(ClosedLoop, PhaseCurrentsStayWithinTheLimitWhenAskedForMore) {
  const auto rows = run(scenario(0.3, 0.0, 450.0, 0.0));
  double peak = 0.0;
  for (const auto& r : rows) {
    for (int i : {0, 1, 2, 5, 6, 7}) peak = std::max(peak, double(std::abs(r.inputs[i])));
  }
  EXPECT_GT(peak, 285.0);         // driven to the limit...
  EXPECT_LT(peak, 300.0 * 1.05);  // ...and not beyond it by more than a transient
}

TEST_F(ClosedLoop, AboveBaseSpeedFieldWeakeningHoldsTheModulationIndex) {
  const auto rows = run(scenario(0.6, 22.0, 75.0, 0.0));
  double meanModIndex = 0.0, meanId = 0.0;
  int n = 0;
  for (const auto& r : rows) {
    if (r.time < 0.5) continue;
    meanModIndex += r.motor[0].modIndex;
    meanId += r.motor[0].id;
    ++n;
  }
  meanModIndex /= n;
  meanId /= n;
  EXPECT_LT(meanId, -30.0);
  EXPECT_NEAR(meanModIndex, 0.95, 0.01);
  EXPECT_NEAR(rows.back().motor[0].iq, 75.0, 5.0);  // and the torque demand is still met
}

TEST_F(ClosedLoop, BelowBaseSpeedTheFieldIsLeftAlone) {
  const auto rows = run(scenario(0.6, 12.0, 75.0, 0.0));
  for (const auto& r : rows) {
    ASSERT_GT(r.motor[0].id, -2.0) << r.time;
    ASSERT_LT(r.motor[0].modIndex, 0.9) << r.time;
  }
}

TEST_F(ClosedLoop, SaggingDcLinkBringsFieldWeakeningInAtLowerSpeed) {
  // The same run as BelowBaseSpeedTheFieldIsLeftAlone, on 250 V: the inverter
  // cannot deliver the voltage, the controller asks for more and weakens the field.
  const auto rows = run(scenario(0.6, 12.0, 75.0, 0.0, 250.0));
  EXPECT_LT(rows.back().motor[0].id, -10.0);
  EXPECT_GT(rows.back().motor[0].modIndex, 0.93);
}

TEST_F(ClosedLoop, NegativeDemandFromRestDrivesStraightBackwards) {
  const auto rows = run(scenario(1.0, 0.0, -75.0, 0.0));
  ASSERT_FALSE(rows.empty());
  for (const auto& r : rows) {
    ASSERT_NEAR(omega(r, 0), omega(r, 1), 1e-4 * std::abs(omega(r, 0)) + 1e-3) << r.time;
    ASSERT_EQ(r.y, 0.0);
    for (int m = 0; m < 2; ++m) {
      const float theta = r.inputs[m == 0 ? 3 : 8];
      ASSERT_GE(theta, 0.0f) << r.time;
      ASSERT_LT(theta, static_cast<float>(2.0 * std::numbers::pi)) << r.time;
    }
  }
  const StepRecord& last = rows.back();
  EXPECT_LT(result_.finalState.speed(), -2.0);  // as far backwards as forwards in this time
  EXPECT_LT(last.x, -1.0);
  for (int m = 0; m < 2; ++m) {
    EXPECT_LT(omega(last, m), 0.0);
    EXPECT_NEAR(last.motor[m].iq, -75.0, 5.0);
    EXPECT_LT(last.motor[m].torque, 0.0);
  }
}

TEST_F(ClosedLoop, NegativeDemandWhileRollingForwardsBrakes) {
  const auto rows = run(scenario(1.0, 10.0, -50.0, 0.0));
  ASSERT_FALSE(rows.empty());
  double previous = rows.front().speed;
  for (const auto& r : rows) {
    if (r.time < 0.05) continue;  // the demand ramps in over 20 ms
    ASSERT_LT(r.speed, previous) << r.time;
    previous = r.speed;
    for (int m = 0; m < 2; ++m) {
      ASSERT_LT(r.motor[m].torque, 0.0) << r.time;
      ASSERT_LT(r.motor[m].slip, 0.0) << r.time;    // the treads run behind the road
      ASSERT_GT(r.motor[m].slip, -0.05) << r.time;  // within the tyres' grip
    }
  }
  EXPECT_LT(result_.finalState.speed(), 8.5);
  EXPECT_GT(result_.finalState.speed(), 0.0);
}

}  // namespace
}  // namespace substitute_host::plant

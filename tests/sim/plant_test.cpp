// The plant and the loop driven by stand-in controllers: these keep no state, so
// they can share one test process.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "plant/rk4.h"
#include "plant/simulation.h"
#include "stand_in_controllers.h"

namespace substitute_host::plant {
namespace {

using stand_ins::applyFixedDq;
using stand_ins::constantScenario;
using stand_ins::FixedDqVoltage;
using stand_ins::record;
using stand_ins::zeroVoltage;

constexpr double kPi = std::numbers::pi;

void notANumber(void*, const float* const[9], float* const outputs[2]) {
  for (int m = 0; m < 2; ++m) {
    for (int i = 0; i < 3; ++i) outputs[m][i] = std::nanf("");
  }
}

TEST(Integrator, Rk4IsFourthOrderOnExponentialDecay) {
  // One step of dx/dt = -x from 1 must land within h^5/120 of exp(-h).
  for (double h : {0.1, 0.05}) {
    std::array<double, 1> x{1.0};
    rk4Step(x, h, [](const std::array<double, 1>& y) { return std::array<double, 1>{-y[0]}; });
    EXPECT_NEAR(x[0], std::exp(-h), std::pow(h, 5) / 120.0 * 1.01) << h;
    EXPECT_GT(std::abs(x[0] - std::exp(-h)), 0.0);
  }
}

TEST(Plant, VehicleAtRestWithNoVoltageStaysAtRest) {
  SimulationResult r;
  const auto rows = record(constantScenario(0.5, 0.0, 0.0), zeroVoltage, nullptr, &r);
  const PlantState& s = r.finalState;
  EXPECT_EQ(s.speed(), 0.0);
  EXPECT_EQ(s.posX(), 0.0);
  EXPECT_EQ(s.omega(0), 0.0);
  EXPECT_EQ(s.current(0).q, 0.0);
  EXPECT_EQ(rows.size(), 10000u);
}

TEST(Plant, RollingStartHasNoSlipAndTheRightWheelOutsideALeftTurn) {
  const auto rows = record(constantScenario(0.001, 6.0, 0.2), zeroVoltage, nullptr);
  ASSERT_FALSE(rows.empty());
  const StepRecord& first = rows.front();
  EXPECT_NEAR(first.motor[0].slip, 0.0, 1e-12);
  EXPECT_NEAR(first.motor[1].slip, 0.0, 1e-12);
  const float omega1 = first.inputs[4], omega2 = first.inputs[9];
  const double radius = PlantParams{}.wheelbase / std::tan(0.2);
  const double track = PlantParams{}.track;
  EXPECT_NEAR(omega1 / omega2, (radius + track / 2) / (radius - track / 2), 1e-6);
}

TEST(Plant, SteeredPathIsACircleOfTheKinematicRadiusTurningLeft) {
  const double steer = 0.2;
  const double radius = PlantParams{}.wheelbase / std::tan(steer);
  const auto rows = record(constantScenario(3.0, 5.0, steer), zeroVoltage, nullptr);
  double travelled = 0.0;
  for (const auto& r : rows) {
    // Centre of the turn at (0, R): positive steering turns towards +y.
    EXPECT_NEAR(std::hypot(r.x, r.y - radius), radius, 1e-6 * radius);
    EXPECT_GE(r.y, -1e-9);
    travelled = std::max(travelled, std::atan2(r.x, radius - r.y));
  }
  EXPECT_GT(travelled, 0.5);  // it did go some way round
}

TEST(Plant, PhaseCurrentsFedToTheBlockAreTheRotorCurrentsInTheControllersFrame) {
  // Any voltage that makes current flow while the rotor turns will do.
  FixedDqVoltage v{20.0, 40.0};
  const auto rows = record(constantScenario(0.05, 4.0, 0.0), applyFixedDq, &v);
  double largest = 0.0;
  for (const auto& r : rows) {
    for (int m = 0; m < 2; ++m) {
      const float* i = &r.inputs[m == 0 ? 0 : 5];
      const double theta = r.inputs[m == 0 ? 3 : 8];
      // The controller's measurement: amplitude-invariant Clarke, then Park at 2 theta.
      const double alpha = (2.0 / 3.0) * (i[0] - 0.5 * i[1] - 0.5 * i[2]);
      const double beta = (i[1] - i[2]) / std::sqrt(3.0);
      const double d = std::cos(2 * theta) * alpha + std::sin(2 * theta) * beta;
      const double q = std::cos(2 * theta) * beta - std::sin(2 * theta) * alpha;
      EXPECT_NEAR(d, r.motor[m].id, 1e-3 + 1e-5 * std::abs(r.motor[m].id));
      EXPECT_NEAR(q, r.motor[m].iq, 1e-3 + 1e-5 * std::abs(r.motor[m].iq));
      largest = std::max(largest, std::hypot(d, q));
      EXPECT_GE(theta, 0.0);
      EXPECT_LT(theta, 2 * kPi);
    }
  }
  EXPECT_GT(largest, 10.0);
}

TEST(Plant, QAxisVoltageAtStandstillBuildsQCurrentAtVOverL) {
  // Over the first millisecond the rotor has hardly moved, so the current rises
  // along q at vq / Lq. A wrong angle, transform scaling or inverter gain shows.
  FixedDqVoltage v{0.0, 2.0};
  const auto rows = record(constantScenario(0.0011, 0.0, 0.0), applyFixedDq, &v);
  const StepRecord& at1ms = rows.at(20);
  ASSERT_NEAR(at1ms.time, 1e-3, 1e-12);
  const double expected = 2.0 * 1e-3 / PlantParams{}.inductanceQ;
  for (int m = 0; m < 2; ++m) {
    EXPECT_NEAR(at1ms.motor[m].iq, expected, 0.02 * expected);
    EXPECT_LT(std::abs(at1ms.motor[m].id), 0.01 * expected);
    EXPECT_GT(at1ms.motor[m].torque, 0.0);
  }
}

TEST(Plant, SubstepsAgreeOnTheSameRun) {
  FixedDqVoltage v{-5.0, 3.0};
  Scenario coarse = constantScenario(0.3, 3.0, 0.1);
  Scenario fine = coarse;
  coarse.substeps = 1;
  fine.substeps = 16;
  SimulationResult a, b;
  record(coarse, applyFixedDq, &v, &a);
  record(fine, applyFixedDq, &v, &b);
  EXPECT_NEAR(a.finalState.speed(), b.finalState.speed(), 1e-6 * b.finalState.speed());
  EXPECT_NEAR(a.finalState.posY(), b.finalState.posY(), 1e-6);
  EXPECT_NEAR(a.finalState.current(0).q, b.finalState.current(0).q, 1e-2);
}

TEST(SimulationLoop, HandsEveryNthStepToTheSink) {
  std::vector<double> times;
  SimulationOptions options;
  options.decimate = 7;
  const SimulationResult r = runSimulation(constantScenario(0.05, 0.0, 0.0), zeroVoltage, nullptr,
                                           options, [&times](const StepRecord& x) {
                                             times.push_back(x.time);
                                             return true;
                                           });
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.steps, 1000);
  ASSERT_EQ(times.size(), 143u);  // steps 0, 7, ..., 994
  EXPECT_DOUBLE_EQ(times[1], 7 * kControlStep);
  EXPECT_DOUBLE_EQ(times.back(), 994 * kControlStep);
}

TEST(SimulationLoop, StopsWhenTheSinkCannotTakeMore) {
  int taken = 0;
  const SimulationResult r =
      runSimulation(constantScenario(0.05, 0.0, 0.0), zeroVoltage, nullptr, {},
                    [&taken](const StepRecord&) { return ++taken < 10; });
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(taken, 10);
  EXPECT_NE(r.error.find("could not be written"), std::string::npos) << r.error;
}

TEST(SimulationLoop, ReportsAControllerThatReturnsNonNumbers) {
  const SimulationResult r = runSimulation(constantScenario(0.05, 5.0, 0.0), notANumber, nullptr);
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.error.find("stopped being finite"), std::string::npos) << r.error;
  EXPECT_LT(r.steps, 1000);
}

}  // namespace
}  // namespace substitute_host::plant

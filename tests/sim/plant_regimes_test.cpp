// The plant beyond driving forwards: backwards, at a standstill, braking, and the rotor
// angle as it passes a full turn. Driven by stand-in controllers that keep no state,
// and checked against the physics rather than against earlier runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "plant/plant.h"
#include "plant/sensors.h"
#include "plant/simulation.h"
#include "stand_in_controllers.h"

namespace substitute_host::plant {
namespace {

using stand_ins::applyFixedDq;
using stand_ins::applyFixedQCurrent;
using stand_ins::constantScenario;
using stand_ins::FixedDqVoltage;
using stand_ins::FixedQCurrent;
using stand_ins::freeRolling;
using stand_ins::omegaInput;
using stand_ins::record;
using stand_ins::thetaInput;
using stand_ins::zeroVoltage;

constexpr double kTurn = 2.0 * std::numbers::pi;
constexpr float kSingleTurn = static_cast<float>(kTurn);  // just above 2 pi

// How far apart two angles are around the circle, in [0, pi].
double angleApart(double a, double b) {
  const double d = std::fmod(std::abs(a - b), kTurn);
  return std::min(d, kTurn - d);
}

// One quantity of a record and how it looks in the mirror: reversed (-1) or the same.
struct Mirrored {
  const char* name;
  double (*read)(const StepRecord&);
  double sign;
};

template <int M>
constexpr Mirrored kMotorQuantities[] = {
    {M == 0 ? "omega1" : "omega2", [](const StepRecord& r) { return double(omegaInput(r, M)); },
     -1.0},
    {M == 0 ? "id1" : "id2", [](const StepRecord& r) { return r.motor[M].id; }, +1.0},
    {M == 0 ? "iq1" : "iq2", [](const StepRecord& r) { return r.motor[M].iq; }, -1.0},
    {M == 0 ? "torque1" : "torque2", [](const StepRecord& r) { return r.motor[M].torque; }, -1.0},
    {M == 0 ? "slip1" : "slip2", [](const StepRecord& r) { return r.motor[M].slip; }, -1.0},
};

constexpr Mirrored kBodyQuantities[] = {
    {"speed", [](const StepRecord& r) { return r.speed; }, -1.0},
    {"yaw rate", [](const StepRecord& r) { return r.yawRate; }, -1.0},
    {"x", [](const StepRecord& r) { return r.x; }, -1.0},
    {"y", [](const StepRecord& r) { return r.y; }, +1.0},
};

// Step by step, `backwards` shows the quantity as the mirror shows `forwards`, to within
// `relative` of the largest value it takes in the run.
void expectMirrored(const std::vector<StepRecord>& forwards,
                    const std::vector<StepRecord>& backwards, const Mirrored& q, double relative) {
  double peak = 0.0;
  for (const StepRecord& f : forwards) peak = std::max(peak, std::abs(q.read(f)));
  for (std::size_t k = 0; k < forwards.size(); ++k) {
    const double expected = q.sign * q.read(forwards[k]);
    ASSERT_NEAR(q.read(backwards[k]), expected, relative * peak)
        << q.name << " at t = " << forwards[k].time;
  }
}

// A run backwards must be the run forwards seen in a mirror: speeds, q currents,
// torques, slips, the yaw rate and x reversed, d currents and y the same, and the
// rotor angles turning the other way.
void expectMirrorImage(const std::vector<StepRecord>& forwards,
                       const std::vector<StepRecord>& backwards, double relative) {
  ASSERT_EQ(forwards.size(), backwards.size());
  for (const Mirrored& q : kBodyQuantities) expectMirrored(forwards, backwards, q, relative);
  for (const Mirrored& q : kMotorQuantities<0>) expectMirrored(forwards, backwards, q, relative);
  for (const Mirrored& q : kMotorQuantities<1>) expectMirrored(forwards, backwards, q, relative);
  for (std::size_t k = 0; k < forwards.size(); ++k) {
    for (int m = 0; m < 2; ++m) {
      ASSERT_LT(angleApart(-thetaInput(forwards[k], m), thetaInput(backwards[k], m)), 1e-5)
          << "theta" << m + 1 << " at t = " << forwards[k].time;
    }
  }
}

TEST(Reverse, CoastingBackwardsThroughABendMirrorsCoastingForwards) {
  // Shorted windings brake both motors; the tyres, rolling resistance and drag act
  // against the motion whichever way it goes.
  const double steer = 0.2;
  const auto forwards = record(constantScenario(0.5, 6.0, steer), zeroVoltage, nullptr);
  const auto backwards = record(constantScenario(0.5, -6.0, steer), zeroVoltage, nullptr);
  expectMirrorImage(forwards, backwards, 1e-9);
  ASSERT_FALSE(backwards.empty());
  const StepRecord& last = backwards.back();
  EXPECT_LT(last.speed, -1.0);  // still going backwards
  EXPECT_LT(last.x, -1.0);
  EXPECT_GT(last.y, 0.0);  // on the left of the start, as when driving forwards
  EXPECT_LT(omegaInput(last, 0), omegaInput(last, 1));  // the right wheel outside, faster
}

TEST(Reverse, DrivingBackwardsMirrorsDrivingForwards) {
  // The same voltage with q reversed drives the vehicle away from rest backwards.
  FixedDqVoltage ahead{-4.0, 12.0}, astern{-4.0, -12.0};
  const auto forwards = record(constantScenario(0.4, 0.0, 0.1), applyFixedDq, &ahead);
  const auto backwards = record(constantScenario(0.4, 0.0, 0.1), applyFixedDq, &astern);
  expectMirrorImage(forwards, backwards, 1e-4);
  ASSERT_FALSE(backwards.empty());
  EXPECT_LT(backwards.back().speed, -0.5);
  EXPECT_LT(backwards.back().motor[0].torque, 0.0);
}

TEST(Standstill, AtRestWithNoVoltageNothingMovesWhateverTheSteering) {
  for (double steer : {0.0, 0.4, -0.4}) {
    SCOPED_TRACE(steer);
    const auto rows = record(constantScenario(0.2, 0.0, steer), zeroVoltage, nullptr);
    ASSERT_EQ(rows.size(), 4000u);
    for (const StepRecord& r : rows) {
      // Both motors' sensors: phase currents, angle and speed.
      for (int i = 0; i < 10; ++i) ASSERT_EQ(r.inputs[i], 0.0f) << i << " at t = " << r.time;
      for (int m = 0; m < 2; ++m) {
        ASSERT_EQ(r.motor[m].id, 0.0);
        ASSERT_EQ(r.motor[m].iq, 0.0);
        ASSERT_EQ(r.motor[m].torque, 0.0);
        ASSERT_EQ(r.motor[m].slip, 0.0);
      }
      ASSERT_EQ(r.speed, 0.0);
      ASSERT_EQ(r.yawRate, 0.0);
      ASSERT_EQ(r.x, 0.0);
      ASSERT_EQ(r.y, 0.0);
    }
  }
}

TEST(Standstill, ASlowRollComesToRestWithoutTurningBack) {
  // Rolling resistance fades out below walking pace instead of flipping sign, so the
  // vehicle creeps to a halt from either direction and never sets off the other way.
  for (double start : {0.3, -0.3}) {
    SCOPED_TRACE(start);
    const auto rows = record(constantScenario(3.0, start, 0.0), freeRolling, nullptr);
    double previous = start;
    for (const StepRecord& r : rows) {
      ASSERT_GT(r.speed * start, 0.0) << "turned back at t = " << r.time;
      ASSERT_LE(std::abs(r.speed), std::abs(previous)) << "sped up at t = " << r.time;
      previous = r.speed;
    }
    EXPECT_LT(std::abs(previous), 0.01);
  }
}

// The most the rear tyres, rolling resistance and drag together can slow the vehicle at
// `speed`, m/s^2.
double greatestDeceleration(double speed) {
  const PlantParams p;
  const double rearTyres = 2.0 * p.tyreFriction * p.rearLoadShare * p.vehicleMass * kGravity / 2.0;
  const double rolling = p.rollingResistance * p.vehicleMass * kGravity;
  const double drag = 0.5 * p.airDensity * p.dragArea * speed * speed;
  return (rearTyres + rolling + drag) / p.vehicleMass;
}

TEST(Braking, HardBrakingIsHeldToTheGripOfTheRearTyres) {
  // A q current against the motion brakes the motors harder than the tyres can pass on:
  // the treads fall behind the road, the tyre forces saturate and the deceleration stays
  // at what grip and the resistances give.
  FixedQCurrent brake{-100.0};
  const auto rows = record(constantScenario(1.0, 12.0, 0.0), applyFixedQCurrent, &brake);
  double hardest = 0.0;
  for (std::size_t k = 0; k + 1 < rows.size() && rows[k + 1].speed > 1.0; ++k) {
    const StepRecord& r = rows[k];
    const double deceleration = (r.speed - rows[k + 1].speed) / kControlStep;
    ASSERT_LE(deceleration, greatestDeceleration(r.speed) * (1.0 + 1e-9)) << "t = " << r.time;
    ASSERT_GE(deceleration, 0.0) << "t = " << r.time;
    // Once the current has built up (a few milliseconds) the treads run behind the road.
    for (int m = 0; m < 2 && r.time > 0.005; ++m) {
      ASSERT_LT(r.motor[m].slip, 0.0) << "t = " << r.time;
      ASSERT_LT(r.motor[m].torque, 0.0) << "t = " << r.time;
    }
    hardest = std::max(hardest, deceleration / greatestDeceleration(r.speed));
  }
  EXPECT_GT(hardest, 0.999);  // the grip was used to the full
  EXPECT_LT(rows.back().speed, 12.0 - 0.9 * 5.0);
}

TEST(Braking, ShortedWindingsBrakeBothWaysAlike) {
  // Above base speed the shorted windings carry a current that brakes the motors; the
  // treads run slower than the road, forwards and backwards.
  for (double start : {15.0, -15.0}) {
    SCOPED_TRACE(start);
    const auto rows = record(constantScenario(0.2, start, 0.0), zeroVoltage, nullptr);
    ASSERT_FALSE(rows.empty());
    const StepRecord& last = rows.back();
    EXPECT_LT(std::abs(last.speed), std::abs(start));
    for (int m = 0; m < 2; ++m) {
      EXPECT_LT(last.motor[m].slip * start, 0.0);
      EXPECT_LT(last.motor[m].torque * start, 0.0);
    }
  }
}

// A plant at rest with no current and no voltage changes nothing within a step: what
// the step does to the rotor angle is its wrap alone.
double angleAfterOneStep(double theta) {
  const Plant plant{PlantParams{}};
  PlantState s;
  s.motor(0, PlantState::kTheta) = theta;
  s.motor(1, PlantState::kTheta) = theta;
  const HeldInputs noVoltage{};
  plant.advance(s, noVoltage, kDefaultSubsteps, Plant::angleReference(s));
  EXPECT_EQ(s.theta(1), s.theta(0));
  return s.theta(0);
}

TEST(RotorAngle, AStepWrapsTheAngleIntoOneTurnFromEitherSide) {
  struct Case {
    double theta;
    double wrapped;
  };
  const Case cases[] = {
      {0.0, 0.0},
      {1.0, 1.0},
      {kTurn, 0.0},
      {-kTurn, 0.0},
      {kTurn + 0.25, 0.25},
      {-0.25, kTurn - 0.25},
      {3 * kTurn + 1.0, 1.0},
      {-3 * kTurn - 1.0, kTurn - 1.0},
      {std::nextafter(kTurn, 0.0), std::nextafter(kTurn, 0.0)},
  };
  for (const Case& c : cases) {
    const double wrapped = angleAfterOneStep(c.theta);
    EXPECT_NEAR(wrapped, c.wrapped, 1e-14) << c.theta;
    EXPECT_GE(wrapped, 0.0) << c.theta;
    EXPECT_LT(wrapped, kTurn) << c.theta;
  }
  // Just below zero the angle one turn on rounds to a full turn, which is zero again.
  for (double below : {-1e-17, -1e-300, -0.0}) {
    const double wrapped = angleAfterOneStep(below);
    EXPECT_GE(wrapped, 0.0) << below;
    EXPECT_LT(wrapped, kTurn) << below;
  }
}

TEST(RotorAngle, TheSensorNeverReportsAFullTurn) {
  // The single nearest 2 pi lies above it: angles a little under a full turn round up
  // to it and must read as 0.
  EXPECT_EQ(rotorAngleReading(std::nextafter(kTurn, 0.0)), 0.0f);
  double theta = kTurn;
  for (int k = 0; k < 2000; ++k) {
    theta = std::nextafter(theta - 1e-9, 0.0);
    const float reading = rotorAngleReading(theta);
    ASSERT_GE(reading, 0.0f) << theta;
    ASSERT_LT(reading, kSingleTurn) << theta;
    ASSERT_LT(angleApart(reading, theta), 1e-6) << theta;
  }
  EXPECT_EQ(rotorAngleReading(0.0), 0.0f);
  EXPECT_EQ(rotorAngleReading(3.0), 3.0f);

  PlantState s;
  s.motor(1, PlantState::kTheta) = std::nextafter(kTurn, 0.0);
  EXPECT_EQ(readMotor(s, 1, phasorOf(2.0 * s.theta(1))).theta, 0.0f);
}

TEST(RotorAngle, BackwardsTheSensedAngleFallsAndWrapsIntoOneTurn) {
  // At 8 m/s backwards the rotors turn about 24 times in 0.3 s.
  const auto rows = record(constantScenario(0.3, -8.0, 0.0), zeroVoltage, nullptr);
  int wraps = 0;
  for (std::size_t k = 0; k + 1 < rows.size(); ++k) {
    for (int m = 0; m < 2; ++m) {
      const double now = thetaInput(rows[k], m), next = thetaInput(rows[k + 1], m);
      ASSERT_GE(next, 0.0f) << rows[k + 1].time;
      ASSERT_LT(next, kSingleTurn) << rows[k + 1].time;
      // The turn within one step, taken the short way round: backwards, at the speed.
      const double turned = std::remainder(next - now, kTurn);
      const double expected = omegaInput(rows[k], m) * kControlStep;
      ASSERT_NEAR(turned, expected, 0.01 * std::abs(expected)) << rows[k].time;
      if (m == 0 && next > now) ++wraps;
    }
  }
  EXPECT_GE(wraps, 20);
}

}  // namespace
}  // namespace substitute_host::plant

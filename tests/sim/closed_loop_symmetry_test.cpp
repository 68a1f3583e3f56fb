// The closed loop with the block against the symmetries of the vehicle: steering the
// other way swaps the two motors, driving backwards is driving forwards in a mirror,
// and a straight run keeps both motors alike. Both motors obey the same laws with the
// same constants and the controller treats them alike, so whatever breaks a symmetry
// is a fault: a sign, a swapped wheel, a term one motor gets and the other does not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "fresh_block_runs.h"

namespace substitute_host::plant {
namespace {

using fresh_block::rampedScenario;

// The block's signals of one motor: phase currents, rotor angle, rotor speed.
constexpr int kMotorSignals = 5;
constexpr int kFirstSignal[2] = {0, kMotorSignals};
constexpr int kThetaSignal = 3, kOmegaSignal = 4;
constexpr int kOutputsPerMotor = 3;

// Motor m of `a` and motor n of `b` carry the very same numbers, step by step.
void expectSameMotor(const StepRecord& a, int m, const StepRecord& b, int n) {
  for (int i = 0; i < kMotorSignals; ++i)
    ASSERT_EQ(a.inputs[kFirstSignal[m] + i], b.inputs[kFirstSignal[n] + i]) << "signal " << i;
  for (int i = 0; i < kOutputsPerMotor; ++i)
    ASSERT_EQ(a.outputs[m * kOutputsPerMotor + i], b.outputs[n * kOutputsPerMotor + i]);
  ASSERT_EQ(a.motor[m].id, b.motor[n].id);
  ASSERT_EQ(a.motor[m].iq, b.motor[n].iq);
  ASSERT_EQ(a.motor[m].torque, b.motor[n].torque);
  ASSERT_EQ(a.motor[m].slip, b.motor[n].slip);
  ASSERT_EQ(a.motor[m].modIndex, b.motor[n].modIndex);
}

TEST(SteeringMirrorLaw, SteeringTheOtherWaySwapsTheMotorsExactly) {
  // Accelerating through a bend at 75 A: the outer wheel, and so the motor that runs
  // faster, changes sides; every number of one motor must reappear in the other.
  const auto left = fresh_block::run(rampedScenario(0.5, 5.0, 75.0, 0.12));
  const auto right = fresh_block::run(rampedScenario(0.5, 5.0, 75.0, -0.12));
  ASSERT_EQ(left.size(), 10000u);
  ASSERT_EQ(right.size(), left.size());
  for (std::size_t k = 0; k < left.size(); ++k) {
    SCOPED_TRACE(left[k].time);
    ASSERT_NO_FATAL_FAILURE(expectSameMotor(left[k], 0, right[k], 1));
    ASSERT_NO_FATAL_FAILURE(expectSameMotor(left[k], 1, right[k], 0));
    ASSERT_EQ(left[k].speed, right[k].speed);
    ASSERT_EQ(left[k].x, right[k].x);
    ASSERT_EQ(left[k].y, -right[k].y);
    ASSERT_EQ(left[k].yawRate, -right[k].yawRate);
  }
  // It did turn, and the motors did differ.
  EXPECT_GT(left.back().y, 0.1);
  EXPECT_GT(left.back().inputs[kOmegaSignal],
            1.01 * left.back().inputs[kMotorSignals + kOmegaSignal]);
}

TEST(SteeringMirrorLaw, AStraightRunKeepsBothMotorsExactlyAlike) {
  const auto rows = fresh_block::run(rampedScenario(0.5, 0.0, 75.0, 0.0));
  ASSERT_EQ(rows.size(), 10000u);
  for (const StepRecord& r : rows) {
    SCOPED_TRACE(r.time);
    ASSERT_NO_FATAL_FAILURE(expectSameMotor(r, 0, r, 1));
    ASSERT_EQ(r.y, 0.0);
    ASSERT_EQ(r.yawRate, 0.0);
  }
  EXPECT_GT(rows.back().speed, 1.0);  // it did accelerate
}

constexpr double kTurn = 2.0 * std::numbers::pi;

// How far apart two angles are around the circle, in [0, pi].
double angleApart(double a, double b) {
  const double d = std::fmod(std::abs(a - b), kTurn);
  return std::min(d, kTurn - d);
}

// The largest magnitude a quantity takes over a run.
template <class Read>
double peakOf(const std::vector<StepRecord>& rows, Read read) {
  double peak = 0.0;
  for (const StepRecord& r : rows) peak = std::max(peak, std::abs(read(r)));
  return peak;
}

// Every step of `backwards` shows `read` as `sign` times `forwards` does, to within
// `allowed`.
template <class Read>
void expectMirrored(const std::vector<StepRecord>& forwards,
                    const std::vector<StepRecord>& backwards, const char* name, double sign,
                    double allowed, Read read) {
  for (std::size_t k = 0; k < forwards.size(); ++k) {
    ASSERT_NEAR(read(backwards[k]), sign * read(forwards[k]), allowed)
        << name << " at t = " << forwards[k].time;
  }
}

// Tolerances of the mirror, relative to each quantity's peak: the motion and the
// currents (with the torques they make).
constexpr double kMotion = 1e-5, kCurrents = 2e-3;

void expectMotorMirrored(const std::vector<StepRecord>& forwards,
                         const std::vector<StepRecord>& backwards, int m) {
  const auto omega = [m](const StepRecord& r) {
    return double(r.inputs[kFirstSignal[m] + kOmegaSignal]);
  };
  const auto iq = [m](const StepRecord& r) { return r.motor[m].iq; };
  const auto id = [m](const StepRecord& r) { return r.motor[m].id; };
  const auto torque = [m](const StepRecord& r) { return r.motor[m].torque; };
  const double current = kCurrents * peakOf(forwards, iq);
  expectMirrored(forwards, backwards, "omega", -1.0, kMotion * peakOf(forwards, omega), omega);
  expectMirrored(forwards, backwards, "iq", -1.0, current, iq);
  expectMirrored(forwards, backwards, "id", +1.0, current, id);
  expectMirrored(forwards, backwards, "torque", -1.0, kCurrents * peakOf(forwards, torque), torque);
  for (std::size_t k = 0; k < forwards.size(); ++k) {
    ASSERT_LT(angleApart(-forwards[k].inputs[kFirstSignal[m] + kThetaSignal],
                         backwards[k].inputs[kFirstSignal[m] + kThetaSignal]),
              1e-4)
        << "theta at t = " << forwards[k].time;
  }
}

TEST(DirectionMirrorLaw, DrivingBackwardsMirrorsDrivingForwardsToTheSensorsRounding) {
  // The same demand reversed, from rest, through the same bend: the path is the mirror
  // image across the y axis, speeds, q currents and torques change sign, d currents do
  // not, and the rotors turn the other way. The block reads the mirrored angles
  // 2 pi - theta, which round to single precision differently from theta (up to 2.4e-7
  // rad); that rounding is all that may tell the runs apart. The motion differs by
  // about 1e-6 of its peak (1e-5 allowed); the current loops, whose ripple is a few
  // tenths of an ampere, pass it on to the currents as up to 8e-4 of their peak (2e-3
  // allowed, 0.15 A of 75 A, for currents and torques).
  const auto forwards = fresh_block::run(rampedScenario(0.5, 0.0, 75.0, 0.1));
  const auto backwards = fresh_block::run(rampedScenario(0.5, 0.0, -75.0, 0.1));
  ASSERT_EQ(forwards.size(), 10000u);
  ASSERT_EQ(backwards.size(), forwards.size());
  const auto speed = [](const StepRecord& r) { return r.speed; };
  const auto x = [](const StepRecord& r) { return r.x; };
  const auto y = [](const StepRecord& r) { return r.y; };
  expectMirrored(forwards, backwards, "speed", -1.0, kMotion * peakOf(forwards, speed), speed);
  expectMirrored(forwards, backwards, "x", -1.0, kMotion * peakOf(forwards, x), x);
  expectMirrored(forwards, backwards, "y", +1.0, kMotion * peakOf(forwards, y), y);
  for (int m = 0; m < 2; ++m) {
    SCOPED_TRACE(m);
    expectMotorMirrored(forwards, backwards, m);
  }
  EXPECT_LT(backwards.back().speed, -1.0);  // it did drive off backwards
  EXPECT_GT(backwards.back().y, 0.01);      // and turned
}

}  // namespace
}  // namespace substitute_host::plant

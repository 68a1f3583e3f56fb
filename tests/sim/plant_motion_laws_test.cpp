// The plant against closed forms of its motion, driven directly with held voltages (no
// controller): an unloaded motor's steady speed, the turn's yaw rate and wheel speeds,
// and the tyre's force at small slip. Each expected value comes from the law itself,
// not from an earlier run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "plant/plant.h"
#include "plant/vehicle.h"

namespace substitute_host::plant {
namespace {

constexpr double kStep = 50e-6;  // s, one control step

// The rotor-frame voltage (vd, vq) in the stationary frame at electrical angle phi.
AlphaBeta stationary(double phi, double vd, double vq) {
  return {std::cos(phi) * vd - std::sin(phi) * vq, std::sin(phi) * vd + std::cos(phi) * vq};
}

// An unloaded motor (its wheel lifted: no tyre friction) with a fixed q voltage V runs
// up until its back-EMF we psi meets V: no current flows then, so no torque, and the
// speed stays at w = V / (p psi). The test holds V on the q axis as the rotor stands in
// the middle of each step, where the mean of the turning voltage lies (its magnitude
// is V sinc(we h / 2), 3e-7 short of V here); after 2 s the run-up, damped at R/2L, has
// died away to 1e-13. 1e-6 of the speed is allowed.
TEST(FreeMotorLaw, AnUnloadedMotorRunsUpUntilItsBackEmfMeetsTheVoltage) {
  PlantParams p;
  p.tyreFriction = 0.0;
  const Plant plant(p);
  PlantState s = plant.rollingStart(0.0, 0.0);
  const double volts = 4.0;
  for (int k = 0; k < 40000; ++k) {
    const Plant::AngleReference ref = Plant::angleReference(s);
    HeldInputs in{};
    for (int m = 0; m < 2; ++m) {
      const double midStep = 2.0 * (s.theta(m) + 0.5 * s.omega(m) * kStep);  // two pole pairs
      in.voltage[m] = stationary(midStep, 0.0, volts);
    }
    plant.advance(s, in, 2, ref);
  }
  const double steadySpeed = volts / (2.0 * p.magnetFlux);
  for (int m = 0; m < 2; ++m) {
    EXPECT_NEAR(s.omega(m), steadySpeed, 1e-6 * steadySpeed) << "motor " << m;
    const double backEmf = 2.0 * s.omega(m) * p.magnetFlux;
    EXPECT_NEAR(backEmf, volts, 1e-6 * volts) << "motor " << m;
    EXPECT_LT(std::abs(s.current(m).d), 1e-3) << "motor " << m;
    EXPECT_LT(std::abs(s.current(m).q), 1e-3) << "motor " << m;
  }
  EXPECT_EQ(s.speed(), 0.0);  // the vehicle felt nothing
}

// Steering held at delta from a straight roll: the body yaws at v tan(delta) / wheelbase,
// so its heading turns by tan(delta) / wheelbase for every metre travelled, and the tyres
// bring the rear wheels to the speeds of a turn about a point on the rear axle's line,
// R = wheelbase / tan(delta) from its centre: outer over inner (R + track/2) / (R - track/2).
// No magnet, no voltage: the motors neither drive nor brake. The wheels slow with the
// vehicle (0.2 m/s^2) through a slip the geometry leaves out, about 2.6e-4 times each
// wheel's share of the speed, so the ratio lies some 5e-5 above the geometry's: 1.5e-4
// is allowed (the wheels swapped, or the full track for the half, miss by 0.17 or more). The
// distance is summed from the speeds at every step (trapezoids, good to far better than the 1e-9
// allowed on the heading).
TEST(TurnGeometryLaw, ASteadyTurnYawsAsTheKinematicModelAndSplitsTheWheelSpeeds) {
  PlantParams p;
  p.magnetFlux = 0.0;
  const Plant plant(p);
  const double tanSteer = std::tan(0.2);
  PlantState s = plant.rollingStart(10.0, 0.0);
  const HeldInputs in{{{0.0, 0.0}, {0.0, 0.0}}, tanSteer};
  double distance = 0.0;
  for (int k = 0; k < 20000; ++k) {
    const double before = s.speed();
    plant.advance(s, in, 2, Plant::angleReference(s));
    distance += 0.5 * (before + s.speed()) * kStep;
  }
  EXPECT_NEAR(s.heading(), tanSteer / p.wheelbase * distance, 1e-9 * s.heading());
  const double radius = p.wheelbase / tanSteer;
  const double ratio = (radius + 0.5 * p.track) / (radius - 0.5 * p.track);
  EXPECT_NEAR(s.omega(0) / s.omega(1), ratio,
              1.5e-4 * ratio);  // motor 1 drives the right, outer wheel
  EXPECT_GT(distance, 5.0);
}

// A wheel turning faster than the ground by a small slip s pushes the vehicle with
// C s times its load, the rear axle's share of the weight split over two wheels, up to
// the friction limit mu times that load. With no resistance, no current and both wheels
// alike the vehicle's acceleration is twice that force over its mass, and each motor is
// held back by the force at the wheel's radius through the gear. To rounding (1e-12).
TEST(TyreLaw, AtSmallSlipTheForceIsTheSlipStiffnessTimesTheWheelLoad) {
  PlantParams p;
  p.rollingResistance = 0.0;
  p.dragArea = 0.0;
  const Plant plant(p);
  const double load = p.rearLoadShare * p.vehicleMass * kGravity / 2.0;
  const double speed = 12.0, treadPerOmega = p.wheelRadius / p.gearRatio;
  const double inertia = p.rotorInertia + p.wheelInertia / (p.gearRatio * p.gearRatio);
  for (double slip : {0.001, 0.01, -0.02, 0.3, -0.3}) {
    SCOPED_TRACE(slip);
    PlantState s = plant.rollingStart(speed, 0.0);
    for (int m = 0; m < 2; ++m)
      s.motor(m, PlantState::kOmega) = (1.0 + slip) * speed / treadPerOmega;
    const HeldInputs none{};
    const StepState x = plant.stepStart(s, none, Plant::angleReference(s));
    const StepState rate = plant.rates(x, wheelSpeedRatio(p, kWheelSides, 0.0));
    const double limit = p.tyreFriction * load;
    const double force = std::clamp(p.tyreSlipStiffness * slip * load, -limit, limit);
    const double acceleration = rate[StepState::kBody][StepState::kSpeed];
    EXPECT_NEAR(acceleration, 2.0 * force / p.vehicleMass, 1e-12 * std::abs(force));
    for (int m = 0; m < 2; ++m) {
      EXPECT_NEAR(rate[StepState::kOmega][m], -force * treadPerOmega / inertia,
                  1e-12 * std::abs(force))
          << "motor " << m;
    }
  }
}

}  // namespace
}  // namespace substitute_host::plant

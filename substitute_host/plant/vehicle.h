#pragma once

#include <algorithm>
#include <cmath>

#include "plant/lanes.h"
#include "plant/phasor.h"
#include "plant/plant_params.h"

namespace substitute_host::plant {

// Kinematic single-track vehicle referred to the centre of the rear axle: the rear
// axle does not slide sideways, so the body turns at v tan(delta) / wheelbase and
// the two rear wheels run at v -/+ yawRate * track / 2. Positive steering turns left
// (counter-clockwise seen from above), which makes the right rear wheel the outer one.

// Motor 1 drives the right rear wheel, motor 2 the left one.
inline constexpr double kWheelSide[2] = {+1.0, -1.0};

// rad/s of yaw per m/s of speed: fixed while the steering is, so worked out once a step.
inline double yawRatePerSpeed(const PlantParams& p, double tanSteer) {
  return tanSteer / p.wheelbase;
}

inline double yawRate(const PlantParams& p, double speed, double tanSteer) {
  return speed * yawRatePerSpeed(p, tanSteer);
}

// Ground speed under a rear wheel, m/s: `side` is its kWheelSide, or both (kWheelSides).
template <class T>
T wheelGroundSpeed(const PlantParams& p, T side, double speed, double yaw) {
  return speed + side * yaw * 0.5 * p.track;
}
inline constexpr Pair kWheelSides = {kWheelSide[0], kWheelSide[1]};

// The same per m/s of the axle centre's speed, 1 -/+ k track / 2 with k the
// yawRatePerSpeed: fixed while the steering is.
template <class T>
T wheelSpeedRatio(const PlantParams& p, T side, double yawPerSpeed) {
  return 1.0 + side * yawPerSpeed * 0.5 * p.track;
}

inline double wheelGroundSpeed(const PlantParams& p, int motor, double speed, double yaw) {
  return wheelGroundSpeed(p, kWheelSide[motor], speed, yaw);
}

// Where the rear axle's centre is and which way the body points: m, m, rad.
struct Pose {
  double heading;
  double x;
  double y;
};

// With the steering held the body turns by `curvature` (yawRatePerSpeed, rad/m) for
// every metre it travels, whatever the speed, so within a control step the rear axle's
// centre runs along a circular arc; `distance` along it (m) leads from `start` to
//   heading + k s,   position + s (dir * sin(k s) / (k s) + normal * (1 - cos(k s)) / (k s)),
// `direction` being the cos and sin of the start heading. The arc's angle k s stays
// within a few thousandths of a radian; there a short series holds both ratios to
// rounding, and it has no trouble with a straight run (k s = 0).
inline Pose alongArc(const Pose& start, const Phasor& direction, double distance,
                     double curvature) {
  const double a = curvature * distance;
  double along, across;  // sin(a) / a and (1 - cos(a)) / a
  if (laneAbs(a) < 1e-2) {
    const double a2 = a * a;
    along = 1.0 - a2 * (1.0 / 6.0) * (1.0 - a2 * (1.0 / 20.0));
    across = a * 0.5 * (1.0 - a2 * (1.0 / 12.0) * (1.0 - a2 * (1.0 / 30.0)));
  } else {
    const double halfSine = phasorOf(0.5 * a).s;
    along = phasorOf(a).s / a;
    across = 2.0 * halfSine * halfSine / a;
  }
  return {start.heading + a, start.x + distance * (direction.c * along - direction.s * across),
          start.y + distance * (direction.s * along + direction.c * across)};
}

// Below this speed rolling resistance fades out linearly instead of flipping sign,
// so a vehicle at rest stays at rest.
inline constexpr double kRollingSpeedFloor = 0.05;  // m/s
inline constexpr double kInvRollingSpeedFloor = 1.0 / kRollingSpeedFloor;

// Its constants, the products of the parameters the law starts with, worked out once
// for a parameter set: the law then gives the same numbers with two products fewer.
struct ResistanceLaw {
  double rollingForce;         // N, at speed beyond the floor
  double dragPerSpeedSquared;  // N s^2 / m^2
};
inline ResistanceLaw resistanceLaw(const PlantParams& p) {
  return {p.rollingResistance * p.vehicleMass * kGravity, 0.5 * p.airDensity * p.dragArea};
}

inline double resistanceForce(const ResistanceLaw& law, double speed) {
  const double rolling = law.rollingForce * laneClamp(speed * kInvRollingSpeedFloor, -1.0, 1.0);
  const double drag = law.dragPerSpeedSquared * speed * laneAbs(speed);
  return rolling + drag;
}

// The two motor speeds that the turn geometry asks for, keeping their mean: with
// R = wheelbase / tan(delta) the outer wheel runs (R + track/2) / R times the
// axle-centre speed and the inner one (R - track/2) / R times it.
struct SpeedPair {
  double motor1;
  double motor2;
};

inline SpeedPair geometricMotorSpeeds(const PlantParams& p, double meanSpeed, double tanSteer) {
  const double spread = 0.5 * p.track * tanSteer / p.wheelbase;
  return {meanSpeed * (1.0 + kWheelSide[0] * spread), meanSpeed * (1.0 + kWheelSide[1] * spread)};
}

}  // namespace substitute_host::plant

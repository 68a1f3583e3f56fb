#pragma once

#include <algorithm>

#include "plant/plant_params.h"

namespace substitute_host::plant {

// Kinematic single-track vehicle referred to the centre of the rear axle: the rear
// axle does not slide sideways, so the body turns at v tan(delta) / wheelbase and
// the two rear wheels run at v -/+ yawRate * track / 2. Positive steering turns left
// (counter-clockwise seen from above), which makes the right rear wheel the outer one.

// Motor 1 drives the right rear wheel, motor 2 the left one.
inline constexpr double kWheelSide[2] = {+1.0, -1.0};

inline double yawRate(const PlantParams& p, double speed, double tanSteer) {
  return speed * tanSteer / p.wheelbase;
}

inline double wheelGroundSpeed(const PlantParams& p, int motor, double speed, double yaw) {
  return speed + kWheelSide[motor] * yaw * 0.5 * p.track;
}

// Below this speed rolling resistance fades out linearly instead of flipping sign,
// so a vehicle at rest stays at rest.
inline constexpr double kRollingSpeedFloor = 0.05;  // m/s
inline constexpr double kInvRollingSpeedFloor = 1.0 / kRollingSpeedFloor;

inline double resistanceForce(const PlantParams& p, double speed) {
  const double rolling = p.rollingResistance * p.vehicleMass * kGravity *
                         std::clamp(speed * kInvRollingSpeedFloor, -1.0, 1.0);
  const double drag = 0.5 * p.airDensity * p.dragArea * speed * (speed < 0 ? -speed : speed);
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

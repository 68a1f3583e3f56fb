#pragma once

#include <span>
#include <string_view>

namespace substitute_host::plant {

// Physical constants of the simulated vehicle, SI units throughout. The defaults
// describe a small two-seat electric vehicle with one motor per rear wheel; the
// motor constants are the ones the controller is tuned for.
struct PlantParams {
  // Motor (both motors are identical).
  double statorResistance = 0.012;   // ohm
  double inductanceD = 0.383968e-3;  // H
  double inductanceQ = 0.383968e-3;  // H
  double magnetFlux = 0.08;          // Wb, permanent-magnet flux linkage
  double rotorInertia = 0.005;       // kg m^2

  // Drivetrain, per rear wheel.
  double gearRatio = 16.0;    // motor speed / wheel speed
  double wheelRadius = 0.25;  // m
  double wheelInertia = 0.7;  // kg m^2, wheel, tyre, hub and brake disc

  // Tyre: force = stiffness * load * slip, saturating at friction * load.
  double tyreSlipStiffness = 20.0;  // per unit slip, relative to the wheel load
  double tyreFriction = 1.0;

  // Vehicle body.
  double vehicleMass = 450.0;   // kg, with occupants
  double rearLoadShare = 0.55;  // fraction of the weight on the driven axle
  double track = 1.05;          // m, rear track
  double wheelbase = 1.13;      // m
  double rollingResistance = 0.015;
  double dragArea = 0.6;    // m^2, drag coefficient times frontal area
  double airDensity = 1.2;  // kg/m^3
};

// Pole pairs of both motors. Not a parameter: the controller doubles the mechanical
// angle and speed it is given, so any other value would break the pairing.
inline constexpr int kPolePairs = 2;
inline constexpr double kGravity = 9.81;  // m/s^2

enum class ParamRange { Positive, NonNegative, Fraction };

// One parameter a scenario may override: its name in the scenario file, where it is
// kept and which values it takes.
struct PlantParamInfo {
  std::string_view name;
  double PlantParams::*member;
  ParamRange range;
};

std::span<const PlantParamInfo> plantParamTable();

}  // namespace substitute_host::plant

#pragma once

#include <algorithm>
#include <cmath>

namespace substitute_host::plant {

// Below this ground speed the slip is taken relative to it instead, so that slip
// stays finite at standstill and the start from rest is not infinitely stiff.
inline constexpr double kSlipSpeedFloor = 0.5;  // m/s

// Longitudinal slip: positive when the tread runs faster than the ground (drive),
// negative when it runs slower (braking).
inline double wheelSlip(double treadSpeed, double groundSpeed) {
  return (treadSpeed - groundSpeed) / std::max(std::abs(groundSpeed), kSlipSpeedFloor);
}

// Linear in slip up to the friction limit, then flat: enough to show wheel spin
// without a full tyre model.
inline double tyreForce(double slip, double stiffness, double maxForce) {
  return std::clamp(stiffness * slip, -maxForce, maxForce);
}

}  // namespace substitute_host::plant

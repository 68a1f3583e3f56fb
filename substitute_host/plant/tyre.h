#pragma once

#include "plant/lanes.h"

namespace substitute_host::plant {

// Below this ground speed the slip is taken relative to it instead, so that slip
// stays finite at standstill and the start from rest is not infinitely stiff.
inline constexpr double kSlipSpeedFloor = 0.5;  // m/s

// Longitudinal slip: positive when the tread runs faster than the ground (drive),
// negative when it runs slower (braking). Speeds in m/s; one wheel or both (Pair).
// The reciprocal of the reference speed depends on the ground alone, so it is worked
// out while the tread speed is, instead of dividing after both are known.
template <class T>
T wheelSlip(T treadSpeed, T groundSpeed) {
  const T perReferenceSpeed = 1.0 / laneMax(laneAbs(groundSpeed), T{} + kSlipSpeedFloor);
  return (treadSpeed - groundSpeed) * perReferenceSpeed;
}

// Linear in slip up to the friction limit, then flat: enough to show wheel spin
// without a full tyre model. Stiffness in N per unit slip, force in N.
template <class T>
T tyreForce(T slip, double stiffness, double maxForce) {
  return laneClamp(stiffness * slip, -maxForce, maxForce);
}

}  // namespace substitute_host::plant

#pragma once

#include "plant/lanes.h"

namespace substitute_host::plant {

// Below this ground speed the slip is taken relative to it instead, so that slip
// stays finite at standstill and the start from rest is not infinitely stiff.
inline constexpr double kSlipSpeedFloor = 0.5;  // m/s

// Longitudinal slip: positive when the tread runs faster than the ground (drive),
// negative when it runs slower (braking). Speeds in m/s; one wheel or both (Pair).
template <class T>
T wheelSlip(T treadSpeed, T groundSpeed) {
  return (treadSpeed - groundSpeed) / laneMax(laneAbs(groundSpeed), T{} + kSlipSpeedFloor);
}

// Linear in slip up to the friction limit, then flat: enough to show wheel spin
// without a full tyre model. Stiffness in N per unit slip, force in N.
template <class T>
T tyreForce(T slip, double stiffness, double maxForce) {
  return laneClamp(stiffness * slip, -maxForce, maxForce);
}

// The same force from the two speeds, as the rates take it, where it lies on the path
// from one integrator stage to the next: the stiffness over the reference speed depends
// on the ground alone, so it is worked out while the tread speed is, and the force is
// one product away once both are known. A ground speed above the floor and a force
// within the limit are the usual case; tested apart, the floor and the limit cost
// nothing on that path unless they apply (the numbers are the same either way).
template <class T>
T tyreForceAt(T treadSpeed, T groundSpeed, double stiffness, double maxForce) {
  const T floor = T{} + kSlipSpeedFloor;
  T reference = laneAbs(groundSpeed);
  if (anyLane(reference < floor)) reference = laneMax(reference, floor);
  const T force = (treadSpeed - groundSpeed) * (stiffness / reference);
  if (anyLane(laneAbs(force) > maxForce)) return laneClamp(force, -maxForce, maxForce);
  return force;
}

}  // namespace substitute_host::plant

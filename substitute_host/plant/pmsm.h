#pragma once

#include "plant/phase_axes.h"
#include "plant/phasor.h"
#include "plant/plant_params.h"

namespace substitute_host::plant {

// Permanent-magnet synchronous motor in its rotor (dq) frame:
//   Ld did/dt = vd - Rs id + we Lq iq
//   Lq diq/dt = vq - Rs iq - we (Ld id + psi)
//   T = 1.5 p (psi iq + (Ld - Lq) id iq),   we = p wm
// Angles and speeds handed in are mechanical; the electrical ones are p times them.

// The voltage left across each axis inductance, L di/dt in V; the caller divides by
// the inductances (once per parameter set, not once per evaluation). For one motor
// (T double) or both side by side (T Pair).
template <class T>
DqOf<T> pmsmInductanceVoltage(const PlantParams& p, DqOf<T> current, DqOf<T> voltage, T omegaMech) {
  const T we = kPolePairs * omegaMech;
  const T fluxD = p.inductanceD * current.d + p.magnetFlux;
  const T fluxQ = p.inductanceQ * current.q;
  return {voltage.d - p.statorResistance * current.d + we * fluxQ,
          voltage.q - p.statorResistance * current.q - we * fluxD};
}

// The inverter holds its voltage fixed in the stationary frame for a whole control
// step; seen from the rotor it turns backwards at the electrical speed:
//   d/dt vd = we vq,   d/dt vq = -we vd,   V/s.
template <class T>
DqOf<T> heldVoltageTurning(DqOf<T> voltage, T omegaMech) {
  const T we = kPolePairs * omegaMech;
  return {we * voltage.q, -we * voltage.d};
}

// Air-gap torque, N m at the motor shaft.
template <class T>
T pmsmTorque(const PlantParams& p, DqOf<T> current) {
  return 1.5 * kPolePairs *
         (p.magnetFlux * current.q + (p.inductanceD - p.inductanceQ) * current.d * current.q);
}

inline double electricalAngle(double thetaMech) { return kPolePairs * thetaMech; }

// Phase currents a, b, c as the current sensors see them; `rotor` is the cos and
// sin of the electrical angle.
inline Abc pmsmPhaseCurrents(Dq current, const Phasor& rotor) {
  return inverseClarke(inversePark(current, rotor.c, rotor.s));
}

}  // namespace substitute_host::plant

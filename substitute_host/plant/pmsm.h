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

// The voltage left across each axis inductance, L di/dt; the caller divides by the
// inductances (once per parameter set, not once per evaluation).
inline Dq pmsmInductanceVoltage(const PlantParams& p, Dq current, Dq voltage, double omegaMech) {
  const double we = kPolePairs * omegaMech;
  const double fluxD = p.inductanceD * current.d + p.magnetFlux;
  const double fluxQ = p.inductanceQ * current.q;
  return {voltage.d - p.statorResistance * current.d + we * fluxQ,
          voltage.q - p.statorResistance * current.q - we * fluxD};
}

inline double pmsmTorque(const PlantParams& p, Dq current) {
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

#pragma once

#include <numbers>

#include "plant/phasor.h"
#include "plant/plant.h"
#include "plant/pmsm.h"

namespace substitute_host::plant {

// What the sensors of one motor report to the block, in single precision, as the
// block's ports take them.
struct MotorReadings {
  float iabc[3];  // phase currents, A
  float theta;    // mechanical rotor angle, rad, [0, 2 pi)
  float omega;    // mechanical rotor speed, rad/s
};

// The rotor angle sensor: the state's angle (already within [0, 2 pi)) in single
// precision, never a full turn.
inline float rotorAngleReading(double theta) {
  // Rounding an angle just under 2 pi to single can land on 2 pi itself, which the
  // sensor reads as 0.
  constexpr float kTurn = static_cast<float>(2.0 * std::numbers::pi);
  const float f = static_cast<float>(theta);
  return f >= kTurn ? 0.0f : f;
}

// Motor m's sensors on state s; `rotor` is the cos and sin of its electrical angle.
// Inline: every control step starts with it.
inline MotorReadings readMotor(const PlantState& s, int m, const Phasor& rotor) {
  const Abc i = pmsmPhaseCurrents(s.current(m), rotor);
  return {{static_cast<float>(i.a), static_cast<float>(i.b), static_cast<float>(i.c)},
          rotorAngleReading(s.theta(m)),
          static_cast<float>(s.omega(m))};
}

}  // namespace substitute_host::plant

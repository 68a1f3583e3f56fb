#include "plant/sensors.h"

#include <numbers>

#include "plant/pmsm.h"

namespace substitute_host::plant {

float rotorAngleReading(double theta) {
  // Rounding an angle just under 2 pi to single can land on 2 pi itself, which the
  // sensor reads as 0.
  constexpr float kTurn = static_cast<float>(2.0 * std::numbers::pi);
  const float f = static_cast<float>(theta);
  return f >= kTurn ? 0.0f : f;
}

MotorReadings readMotor(const PlantState& s, int m, const Phasor& rotor) {
  const Abc i = pmsmPhaseCurrents(s.current(m), rotor);
  return {{static_cast<float>(i.a), static_cast<float>(i.b), static_cast<float>(i.c)},
          rotorAngleReading(s.theta(m)),
          static_cast<float>(s.omega(m))};
}

}  // namespace substitute_host::plant

#include "plant/sensors.h"

#include <numbers>

namespace substitute_host::plant {

float rotorAngleReading(double theta) {
  // Rounding an angle just under 2 pi to single can land on 2 pi itself, which the
  // sensor reads as 0.
  constexpr float kTurn = static_cast<float>(2.0 * std::numbers::pi);
  const float f = static_cast<float>(theta);
  return f >= kTurn ? 0.0f : f;
}

}  // namespace substitute_host::plant

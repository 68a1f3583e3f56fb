#pragma once

#include "parameters.h"
#include "tangent.h"

namespace differential_literals {
constexpr float kThree = 3.0f;
constexpr float kHalf = 0.5f;
constexpr double kHalfDouble = 0.5;
constexpr double kOneThird = 0.333333333333333314829616256247390992939472198486328125;
static_assert(bitsOf(kThree) == 0x40400000u);
static_assert(bitsOf(kHalf) == 0x3F000000u);
static_assert(bitsOf(kHalfDouble) == 0x3FE0000000000000u);
static_assert(bitsOf(kOneThird) == 0x3FD5555555555555u);
}  // namespace differential_literals

// Speed references of the two motors from their measured speeds and the steering
// angle; diffMean is the differential's memory, read and rewritten on every call.
// The common term uses the current speeds; the steering term uses the previous step's
// speeds through diffMean (three times their mean), never the current ones. Inline, so
// that the drive step starts the tangent before anything else.
inline void electronicDifferential(float omega1, float omega2, float steerAngle,
                                   float speedRef[2], float& diffMean) {
  using namespace differential_literals;
  const double t = tangentOf(steerAngle);
  const float p = omega1 * kThree;
  const float q = kThree * omega2;
  const float d = (q + p) * kHalf;
  const float k = static_cast<float>(
      ((static_cast<double>(kSteerRatioNum) * t) / static_cast<double>(kSteerRatioDen)) *
      static_cast<double>(diffMean));
  const double g = static_cast<double>(k) * kHalfDouble;
  const float h = static_cast<float>(static_cast<double>(d) + g);
  const float l = static_cast<float>(static_cast<double>(d) - g);
  speedRef[0] = static_cast<float>(static_cast<double>(h) * kOneThird);
  speedRef[1] = static_cast<float>(static_cast<double>(l) * kOneThird);
  diffMean = (l + h) * kHalf;
}

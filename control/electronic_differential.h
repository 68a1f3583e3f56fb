#pragma once

#include "parameters.h"
#include "trig/tangent.h"

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

// The steering term k = ((kSteerRatioNum * tan(steerAngle)) / kSteerRatioDen) * diffMean
// in double, rounded to single, with the correctly rounded tangent; the differential
// goes on with half of it, g = k / 2 in double. Only k's single is ever used, so the
// quick way takes an approximate tangent (2^-50) and half the ratio as one factor, the
// tangent's sign put on that factor, and the memory, ahead of time: the product then
// lies within 16 ulps of half the formula's double, and both round to the same single
// unless it lies within 256 ulps of a midpoint between singles (or among the subnormal
// singles, whose midpoints lie elsewhere and where halving would not be exact). Then
// the formula decides.
inline bool quickHalfSteeringProduct(float steerAngle, float diffMean, double& product) {
  constexpr double kHalfSteerRatio =
      static_cast<double>(kSteerRatioNum) / static_cast<double>(kSteerRatioDen) * 0.5;
  double t;
  if (!approximateTangentOfMagnitude(magnitudeOf(steerAngle), t)) return false;
  // The memory is known long before the tangent: its product with the factor is ready
  // when the tangent is, and only one multiplication waits for it.
  product = t * (withSignOf(steerAngle, kHalfSteerRatio) * static_cast<double>(diffMean));
  return true;
}

// The formula itself; out of line, as it is seldom needed and its tangent is long.
double steeringProduct(float steerAngle, float diffMean);

// h = d + g and l = d - g, each rounded to single, g = k / 2 in double. On the quick
// path g is itself a single (the doubt test keeps it off the subnormals, where halving
// k would not be exact), and a sum of two singles rounded to double and then to single
// is their sum rounded to single: two single operations give the same bits.
[[gnu::always_inline]] inline void steeredHalves(float d, float steerAngle, float diffMean,
                                                 float& h, float& l) {
  double quick;
  if (quickHalfSteeringProduct(steerAngle, diffMean, quick) && !singleRoundingInDoubt(quick))
      [[likely]] {
    const float g = static_cast<float>(quick);
    h = d + g;
    l = d - g;
    return;
  }
  const float k = static_cast<float>(steeringProduct(steerAngle, diffMean));
  const double g = static_cast<double>(k) * differential_literals::kHalfDouble;
  h = static_cast<float>(static_cast<double>(d) + g);
  l = static_cast<float>(static_cast<double>(d) - g);
}

// Speed references of the two motors from their measured speeds and the steering
// angle; diffMean is the differential's memory, read and rewritten on every call.
// The common term uses the current speeds; the steering term uses the previous step's
// speeds through diffMean (three times their mean), never the current ones. Inline, so
// that the drive step starts the tangent before anything else.
[[gnu::always_inline]] inline void electronicDifferential(float omega1, float omega2,
                                                          float steerAngle, float speedRef[2],
                                                          float& diffMean) {
  using namespace differential_literals;
  const float p = omega1 * kThree;
  const float q = kThree * omega2;
  const float d = (q + p) * kHalf;
  float h, l;
  steeredHalves(d, steerAngle, diffMean, h, l);
  speedRef[0] = static_cast<float>(static_cast<double>(h) * kOneThird);
  speedRef[1] = static_cast<float>(static_cast<double>(l) * kOneThird);
  diffMean = (l + h) * kHalf;
}

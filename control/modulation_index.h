#pragma once

#include <cmath>

#include "parameters.h"

// A literal of its own: close to, but not derived from, the reciprocal of kVoltageMax.
inline constexpr double kModIndexScale = 0.0049585;
static_assert(bitsOf(kModIndexScale) == 0x3F744F5D35653C9Bu);

// The voltage vector's squared magnitude, from which its modulation index follows.
inline float squaredMagnitude(float alpha, float beta) { return alpha * alpha + beta * beta; }

// The modulation index of a voltage vector of squared magnitude s, low-pass filtered
// with coefficient k. modIndex: {latest raw value, filtered value}.
inline void modulationIndexFromSquare(float s, float k, float modIndex[2]) {
  const float raw = static_cast<float>(std::sqrt(static_cast<double>(s)) * kModIndexScale);
  const float filtered = modIndex[1];
  modIndex[0] = raw;
  modIndex[1] = (raw - filtered) * k + filtered;
}

inline void modulationIndexUpdate(float alpha, float beta, float k, float modIndex[2]) {
  modulationIndexFromSquare(squaredMagnitude(alpha, beta), k, modIndex);
}

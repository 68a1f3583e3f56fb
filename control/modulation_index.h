#pragma once

#include <cmath>

#include "parameters.h"

// A literal of its own: close to, but not derived from, the reciprocal of kVoltageMax.
inline constexpr double kModIndexScale = 0.0049585;
static_assert(bitsOf(kModIndexScale) == 0x3F744F5D35653C9Bu);

// Measures the voltage vector's modulation index and low-pass filters it with
// coefficient k. modIndex: {latest raw value, filtered value}.
inline void modulationIndexUpdate(float alpha, float beta, float k, float modIndex[2]) {
  const float s = alpha * alpha + beta * beta;
  const float raw = static_cast<float>(std::sqrt(static_cast<double>(s)) * kModIndexScale);
  const float filtered = modIndex[1];
  modIndex[0] = raw;
  modIndex[1] = (raw - filtered) * k + filtered;
}

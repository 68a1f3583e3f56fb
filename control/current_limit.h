#pragma once

#include <cmath>

// The q current that the d current leaves inside the current-magnitude limit.
inline float qCurrentLimit(float currentLimit, float id) {
  const float s = currentLimit * currentLimit - id * id;
  return static_cast<float>(std::sqrt(static_cast<double>(s)));
}

#pragma once

#include <algorithm>

namespace substitute_host::plant {

// Averaged two-level inverter: over one control step each leg delivers the
// commanded fraction of half the DC-link voltage, and no leg can deliver more than
// the rail it is switched to.
inline double invertPhaseVoltage(float normalised, double udc) {
  const double half = 0.5 * udc;
  return std::clamp(static_cast<double>(normalised) * half, -half, half);
}

}  // namespace substitute_host::plant

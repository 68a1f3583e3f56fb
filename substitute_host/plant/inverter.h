#pragma once

#include "plant/lanes.h"

namespace substitute_host::plant {

// Averaged two-level inverter: over one control step each leg delivers the
// commanded fraction of half the DC-link voltage, and no leg can deliver more than
// the rail it is switched to. One leg (double) or one leg of each motor (Pair).
template <class T>
T invertPhaseVoltage(T normalised, double udc) {
  const double half = 0.5 * udc;
  return laneClamp(normalised * half, -half, half);
}
inline double invertPhaseVoltage(float normalised, double udc) {
  return invertPhaseVoltage(static_cast<double>(normalised), udc);
}

}  // namespace substitute_host::plant

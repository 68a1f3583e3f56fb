#pragma once

#include <cmath>

#include "plant/plant.h"

namespace substitute_host::plant {

// Below this d current the controller is taken to be weakening the field. Small
// negative excursions from current-loop transients stay well above it.
inline constexpr double kFieldWeakeningId = -10.0;  // A

// Peaks and extremes of one run, fed with every control step (not only the
// recorded ones).
struct RunStatistics {
  double peakSpeed = 0.0;      // m/s, largest magnitude
  double peakCurrent[2] = {};  // A, largest |(id, iq)|, i.e. phase current amplitude
  double minId[2] = {};        // A
  double peakModIndex[2] = {};
  // Bounding box of the path; empty (min above max) until the first step.
  double minX = HUGE_VAL, maxX = -HUGE_VAL, minY = HUGE_VAL, maxY = -HUGE_VAL;

  // One control step: the state at its start and the two motors' modulation index.
  void add(const PlantState& s, const double modIndex[2]);
  bool fieldWeakeningEngaged(int motor) const { return minId[motor] < kFieldWeakeningId; }
};

}  // namespace substitute_host::plant

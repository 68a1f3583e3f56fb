#pragma once

#include <cmath>
#include <limits>

#include "plant/controller_step.h"
#include "plant/plant.h"

namespace substitute_host::plant {

// Below this d current the controller is taken to be weakening the field. Small
// negative excursions from current-loop transients stay well above it.
inline constexpr double kFieldWeakeningId = -10.0;  // A

// What a control step adds beside the plant's state, taken at the step's start.
struct StepFigures {
  double time = 0.0;  // s
  double modIndex[2] = {};
  double slip[2] = {};       // longitudinal slip of each driven wheel
  double dcLinkPower = 0.0;  // W, see dcLinkPower
};

// Peaks and extremes of one run, fed with every control step (not only the
// recorded ones).
struct RunStatistics {
  double peakSpeed = 0.0;      // m/s, largest magnitude
  double peakCurrent[2] = {};  // A, largest |(id, iq)|, i.e. phase current amplitude
  double minId[2] = {};        // A
  double peakModIndex[2] = {};
  double maxSlip = 0.0;  // largest |slip| of either driven wheel
  // s, the start of the first step with either motor's id below kFieldWeakeningId; NaN
  // while that has not happened.
  double fieldWeakeningFrom = std::numeric_limits<double>::quiet_NaN();
  // J, drawn from the DC link by both inverters (negative when recuperating): each
  // step's power at its start, held for the step as the inverter holds its voltages.
  double energyFromDcLink = 0.0;
  // Bounding box of the path; empty (min above max) until the first step.
  double minX = HUGE_VAL, maxX = -HUGE_VAL, minY = HUGE_VAL, maxY = -HUGE_VAL;

  // One control step: the state at its start and what the controller's side adds to it.
  void add(const PlantState& s, const StepFigures& f);
  bool fieldWeakeningEngaged(int motor) const { return minId[motor] < kFieldWeakeningId; }
};

// W, what both inverters draw from the DC link at the record's start: the sum over the
// phases of the voltage each leg delivers times the phase current the sensors report.
// The star point drops the common mode, so the sum is the power the motors take in.
double dcLinkPower(const float inputs[kInputSignalCount], const float outputs[kOutputSignalCount]);

}  // namespace substitute_host::plant

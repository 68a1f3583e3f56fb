#pragma once

#include <csignal>
#include <functional>
#include <string>

#include "plant/controller_step.h"
#include "plant/plant.h"
#include "plant/run_statistics.h"
#include "plant/scenario.h"
#include "plant/step_record.h"

namespace substitute_host::plant {

// Told now and then how far the run has got (0 to 1) and how long it has taken so far
// (wall-clock seconds), for a display of progress.
using ProgressReport = std::function<void(double fraction, double elapsedSeconds)>;

struct SimulationOptions {
  int decimate = 1;         // hand every Nth control step to the sink (N >= 1)
  ProgressReport progress;  // empty for none
  // When it reads non-zero (a signal handler sets it) the run ends before the next step
  // is handed to the sink; null for never.
  const volatile std::sig_atomic_t* stop = nullptr;
};

// Receives the recorded steps in order; returning false stops the run (for
// example when the output file can no longer be written).
using StepSink = std::function<bool(const StepRecord&)>;

struct SimulationResult {
  std::string error;    // empty when the run completed
  long long steps = 0;  // control steps taken
  double simulatedSeconds = 0.0;
  double wallSeconds = 0.0;
  RunStatistics stats;    // over every step, recorded or not
  PlantState finalState;  // after the last step

  bool ok() const { return error.empty(); }
  double realTimeFactor() const { return wallSeconds > 0.0 ? simulatedSeconds / wallSeconds : 0.0; }
};

// Runs the scenario in closed loop with the controller reached through `step`.
// Each control step samples the sensors at its start, calls the controller once and
// holds its outputs while the plant is integrated to the next step. Never throws.
SimulationResult runSimulation(const Scenario& scenario, ControllerStep step, void* context,
                               const SimulationOptions& options = {}, const StepSink& sink = {});

}  // namespace substitute_host::plant

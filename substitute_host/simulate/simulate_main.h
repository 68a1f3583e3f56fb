#pragma once

#include <ostream>
#include <string>

#include "plant/controller_step.h"

namespace substitute_host::simulate {

struct SimulateRequest {
  std::string scenarioPath;     // empty: the built-in default scenario
  std::string outputDir;        // created if missing; empty: write no files
  int decimate = 1;             // CSV row for every Nth control step
  bool progress = true;         // drawn only when stderr is a terminal
  bool plot = true;             // run gnuplot on the CSV written
  std::ostream* out = nullptr;  // summary; null means std::cout
  std::ostream* err = nullptr;  // refusals, failures and notes; null means std::cerr
};

enum SimulateStatus : int {
  kSimulateOk = 0,
  kSimulateFailed = 1,   // output could not be written, or the run diverged
  kSimulateRefused = 2,  // the scenario or the request was refused; nothing ran
};

// The whole `simulate` command: load and check the scenario, run it in closed loop
// through `step`, write <name>.csv, <name>.gp and <name>.png into the output
// directory and print the summary. Never throws.
int simulateMain(const SimulateRequest& request, plant::ControllerStep step, void* context);

}  // namespace substitute_host::simulate

#pragma once

#include <csignal>
#include <ostream>
#include <string>

#include "matfile_out/column_file.h"
#include "plant/controller_step.h"
#include "simulate/run_log.h"

namespace substitute_host::simulate {

struct SimulateRequest {
  std::string scenarioPath;     // empty: the built-in default scenario
  std::string outputDir;        // created if missing; empty: write no files
  int decimate = 1;             // log row for every Nth control step
  LogFormat format = LogFormat::csv;
  matfile_out::MatVersion matVersion = matfile_out::MatVersion::v73;
  std::string toolVersion;      // written into a MAT log
  // Polled once per logged step: nonzero, the number of the signal that asked the run to
  // stop. The rows so far are then closed into the log. Null: the run is not stopped.
  const volatile std::sig_atomic_t* stopSignal = nullptr;
  bool progress = true;         // drawn only when stderr is a terminal
  bool plot = true;             // run gnuplot on the CSV written
  // Where the run's outcome figures go as JSON (summary_json.h); empty: nowhere. Written
  // only for a run that completed.
  std::string summaryJsonPath;
  std::ostream* out = nullptr;  // summary; null means std::cout
  std::ostream* err = nullptr;  // refusals, failures and notes; null means std::cerr
};

enum SimulateStatus : int {
  kSimulateOk = 0,
  kSimulateFailed = 1,   // output could not be written, or the run diverged
  kSimulateRefused = 2,  // the scenario or the request was refused; nothing ran
};
// A run stopped by a signal ends with 128 + the signal's number, as a shell reports a
// program the signal ended (130 for SIGINT, 143 for SIGTERM).
inline constexpr int kSimulateSignalBase = 128;

// The whole `simulate` command: load and check the scenario, run it in closed loop
// through `step`, write the log (<name>.csv with <name>.gp and <name>.png, or <name>.mat
// with the same and the plot's side file <name>.plot.csv, or nothing) into the output
// directory and print the summary. Never throws.
int simulateMain(const SimulateRequest& request, plant::ControllerStep step, void* context);

}  // namespace substitute_host::simulate

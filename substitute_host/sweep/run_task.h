#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

#include "sweep/part_file.h"
#include "sweep/plan.h"

namespace substitute_host::sweep {

// What a run needs besides the plan: the plan's folder, the tool that runs one scenario
// (`tool simulate --summary-json ...`) and the module it loads, if not its default.
struct RunSetup {
  std::filesystem::path folder;
  std::string tool = "/proc/self/exe";
  std::string module;
};

struct RunOutcome {
  RunPart part;
  // The run was stopped from outside (SIGINT, SIGTERM, SIGHUP, SIGKILL: a user's Ctrl-C,
  // a cancelled cluster job): that is no outcome of the run, and it gets no part, so
  // that gather lists it as missing and names its rerun.
  bool interrupted = false;
};

// Runs run `index` in a child process of its own and returns its outcome: the figures,
// or the error the run ended with. Never throws.
RunOutcome runOne(const Plan& plan, const RunSetup& setup, std::uint64_t index);

// Runs run `index` and writes its part; error empty when the part was written, else why
// not (an interrupted run's part is never written).
struct PartWrite {
  bool interrupted = false;
  std::string error;
};
PartWrite runAndWritePart(const Plan& plan, const RunSetup& setup, std::uint64_t index);

// The runs of task `task` (runs task*chunk up to the next task's first, clipped to the
// plan's runs), one after the other; a failed run does not stop the others, an
// interrupted one stops the task. How many parts were not written, each told on err.
std::uint64_t runTask(const Plan& plan, const RunSetup& setup, std::uint64_t task,
                      std::uint64_t chunk, std::ostream& err);

}  // namespace substitute_host::sweep

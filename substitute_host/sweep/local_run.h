#pragma once

#include <cstdint>
#include <functional>
#include <ostream>

#include "sweep/run_task.h"

namespace substitute_host::sweep {

// Told, from any worker, how many runs are done out of how many.
using RunsDone = std::function<void(std::uint64_t done, std::uint64_t total)>;

// Every run of the plan on this machine, `workers` at a time, each in a child process
// of its own as a cluster task runs them, writing the same parts. How many parts could
// not be written, each told on err.
std::uint64_t runAllLocally(const Plan& plan, const RunSetup& setup, unsigned workers,
                            const RunsDone& progress, std::ostream& err);

}  // namespace substitute_host::sweep

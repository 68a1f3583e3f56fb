#pragma once

#include <cstdio>
#include <string>

#include "replay/csv_replay.h"
#include "target_replay/target_programs.h"

namespace substitute_host {

// Replays the input CSV `in` on a target processor: its rows go as singles to the
// target's row runner (runnerPath, prebuilt) under QEMU in a scratch folder, and the
// runner's outputs come back as the same output CSV a replay on this machine writes,
// to `out`. The whole input is read before the target runs, so at a bad row nothing
// is written. Builds nothing.
ReplayOutcome replayOnTarget(std::FILE* in, std::FILE* out, const TargetProgram& target,
                             const std::string& runnerPath) noexcept;

}  // namespace substitute_host

#pragma once

#include <filesystem>
#include <string>

#include "sweep/plan.h"

namespace substitute_host::sweep {

// Empty when the path can stand in the job script as written, else why not. An
// #SBATCH line is read by Slurm, not by a shell, so it cannot quote: a path there must
// hold no space, no quote and no '%' (Slurm's file name patterns); the shell lines get
// no '$', '`', '\' or '!' either, so one rule keeps every line exact.
std::string slurmPathProblem(const std::string& path);

// sweep.sbatch: a bash job-array script of taskCount(plan) tasks, at most
// plan.throttle at once, each running `tool sweep run folder --task ID`; the task
// with the lowest ID of the submitted array also submits the gather job, which runs
// once every task of the array succeeded. Both paths absolute and accepted by
// slurmPathProblem.
std::string sbatchScriptText(const Plan& plan, const std::filesystem::path& folder,
                             const std::filesystem::path& tool);

// A word as a shell reads it back: within single quotes, each quote closed, escaped
// and reopened.
std::string shellQuoted(const std::string& word);

}  // namespace substitute_host::sweep

#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "sweep/sweep_definition.h"

namespace substitute_host::sweep {

// A sweep laid out for running: its runs cut into tasks of `chunk` runs each (the last
// may be shorter), of which a cluster runs at most `throttle` at once.
struct Plan {
  SweepDefinition sweep;
  std::uint64_t runs = 0;
  std::uint64_t chunk = 1;
  std::uint64_t throttle = 16;
};

// Without --allow-many, a plan of more runs is refused: a typo in a range should not
// fill a cluster's queue for days.
inline constexpr std::uint64_t kDefaultMaxRuns = 10000;
// Not even --allow-many plans more: the manifest alone would take gigabytes.
inline constexpr std::uint64_t kMostRuns = 10000000;
// Slurm's default MaxArraySize: array task ids run below it unless the cluster raised it.
inline constexpr std::uint64_t kSlurmDefaultMaxArraySize = 1001;

inline std::uint64_t taskCount(const Plan& plan) {
  return plan.runs / plan.chunk + (plan.runs % plan.chunk != 0 ? 1 : 0);
}
// The task that holds run `index`.
inline std::uint64_t taskOfRun(const Plan& plan, std::uint64_t index) { return index / plan.chunk; }

// plan.json: everything running and gathering need, the base scenario inline and the
// ranges resolved, so that the folder is complete without the sweep file.
std::string planJsonText(const Plan& plan);

struct PlanRead {
  Plan plan;
  std::string error;  // "sweep: ..." when the folder holds no usable plan
  bool ok() const { return error.empty(); }
};
PlanRead readPlan(const std::filesystem::path& folder);

// manifest.csv: index and every varied value, one row per run.
std::string manifestCsvText(const Plan& plan);

inline const char* const kPlanFile = "plan.json";
inline const char* const kManifestFile = "manifest.csv";
inline const char* const kScriptFile = "sweep.sbatch";
inline const char* const kPartsFolder = "parts";
inline const char* const kLogsFolder = "logs";

}  // namespace substitute_host::sweep

// sweep plan: a sweep file laid out as a self-contained folder.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "checked_output.h"
#include "subcommand.h"
#include "sweep/plan.h"
#include "sweep/run_values.h"
#include "sweep/sbatch_script.h"
#include "sweep/summary_tables.h"
#include "sweep/sweep_file.h"
#include "sweep_actions.h"

namespace substitute_host {

namespace {

namespace fs = std::filesystem;
using namespace sweep;

bool withinLimit(const Plan& plan, const SweepPlanOptions& options) {
  if (plan.runs > kMostRuns) {
    std::fprintf(stderr, "corvalent2 sweep plan: the sweep has %llu runs, more than any plan "
                 "takes (%llu)\n", static_cast<unsigned long long>(plan.runs),
                 static_cast<unsigned long long>(kMostRuns));
    return false;
  }
  const std::uint64_t limit = options.maxRuns != 0 ? options.maxRuns : kDefaultMaxRuns;
  if (options.allowMany || plan.runs <= limit) return true;
  std::fprintf(stderr,
               "corvalent2 sweep plan: the sweep has %llu runs, more than the limit of %llu; "
               "raise it with --max-runs or pass --allow-many\n",
               static_cast<unsigned long long>(plan.runs), static_cast<unsigned long long>(limit));
  return false;
}

// The folder made, with its parts and logs folders; one that holds a plan already is
// refused, so that parts of two sweeps never mix.
bool prepareFolder(const fs::path& folder) {
  std::error_code ec;
  if (fs::exists(folder / kPlanFile, ec)) {
    std::fprintf(stderr, "corvalent2 sweep plan: %s holds a plan already; choose a new folder\n",
                 shownArgument(folder.string()).c_str());
    return false;
  }
  for (const fs::path& made : {folder, folder / kPartsFolder, folder / kLogsFolder}) {
    fs::create_directories(made, ec);
    if (ec) {
      std::fprintf(stderr, "corvalent2 sweep plan: cannot make the folder %s: %s\n",
                   shownArgument(made.string()).c_str(), ec.message().c_str());
      return false;
    }
  }
  return true;
}

bool written(const fs::path& path, const std::string& text) {
  const std::string why = writeTextFile(path.string(), text);
  if (why.empty()) return true;
  std::fprintf(stderr, "corvalent2 sweep plan: writing %s failed: %s\n",
               shownArgument(path.string()).c_str(), why.c_str());
  return false;
}

// The job script, when both paths can stand in it; a folder that cannot still runs
// with `sweep local`.
bool writeScript(const Plan& plan, const fs::path& folder) {
  std::error_code ec;
  const fs::path tool = fs::read_symlink("/proc/self/exe", ec);
  std::string problem = ec ? "the tool's own path is unknown: " + ec.message() : std::string();
  if (problem.empty()) problem = slurmPathProblem(folder.string());
  if (problem.empty()) problem = slurmPathProblem(tool.string());
  if (!problem.empty()) {
    std::fprintf(stderr, "corvalent2 sweep plan: note: no %s written: %s\n", kScriptFile,
                 problem.c_str());
    return true;
  }
  if (taskCount(plan) > kSlurmDefaultMaxArraySize - 1) {
    const std::uint64_t chunk = (plan.runs + kSlurmDefaultMaxArraySize - 2) /
                                (kSlurmDefaultMaxArraySize - 1);
    std::fprintf(stderr,
                 "corvalent2 sweep plan: note: %llu tasks; a cluster with Slurm's default "
                 "MaxArraySize (1001) takes at most 1000: plan with --chunk %llu or more there\n",
                 static_cast<unsigned long long>(taskCount(plan)),
                 static_cast<unsigned long long>(chunk));
  }
  return written(folder / kScriptFile, sbatchScriptText(plan, folder, tool));
}

}  // namespace

int sweepPlan(const SweepPlanOptions& options) {
  const SweepParse parsed = loadSweepFile(options.sweepFile);
  if (!parsed.ok()) {
    std::fprintf(stderr, "%s\n", parsed.error.c_str());
    return kExitUsage;
  }
  Plan plan;
  plan.sweep = parsed.sweep;
  plan.runs = runCount(plan.sweep);
  plan.chunk = options.chunk;
  plan.throttle = options.throttle;
  if (!withinLimit(plan, options)) return kExitUsage;
  fs::path folder = fs::absolute(options.folder).lexically_normal();
  if (folder.filename().empty()) folder = folder.parent_path();  // "DIR/" names DIR
  if (!prepareFolder(folder)) return kExitUsage;
  // plan.json last: a folder holds a plan only once everything else is there.
  if (!written(folder / kManifestFile, manifestCsvText(plan)) || !writeScript(plan, folder) ||
      !written(folder / kPlanFile, planJsonText(plan)))
    return kExitFailed;
  std::printf("Planned %llu runs in %llu tasks of up to %llu runs into %s\n",
              static_cast<unsigned long long>(plan.runs),
              static_cast<unsigned long long>(taskCount(plan)),
              static_cast<unsigned long long>(plan.chunk), shownArgument(folder.string()).c_str());
  return standardOutputWritten("sweep plan") ? kExitOk : kExitFailed;
}

}  // namespace substitute_host

// sweep run, gather, local and scenario: what works on a planned folder.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <thread>

#include "checked_output.h"
#include "simulate/external_program.h"
#include "simulate/progress_bar.h"
#include "subcommand.h"
#include "sweep/gather.h"
#include "sweep/local_run.h"
#include "sweep/run_task.h"
#include "sweep/run_values.h"
#include "sweep/summary_tables.h"
#include "sweep_actions.h"

namespace substitute_host {

namespace {

namespace fs = std::filesystem;
using namespace sweep;

fs::path absoluteFolder(const std::string& folder) {
  fs::path path = fs::absolute(folder).lexically_normal();
  return path.filename().empty() ? path.parent_path() : path;
}

// The plan of the folder, or a message and false.
bool loadPlan(const fs::path& folder, const char* command, Plan& plan) {
  PlanRead read = readPlan(folder);
  if (!read.ok()) {
    std::fprintf(stderr, "corvalent2 %s: %s\n", command, read.error.c_str());
    return false;
  }
  plan = std::move(read.plan);
  return true;
}

std::string toolPath() {
  std::error_code ec;
  const fs::path tool = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string("corvalent2") : tool.string();
}

// The module a run's child loads: the one given, made absolute, or the child's default.
std::string childModule(const std::string& module) {
  return module.empty() ? module : fs::absolute(module).string();
}

}  // namespace

int sweepRun(const SweepRunOptions& options) {
  Plan plan;
  const fs::path folder = absoluteFolder(options.folder);
  if (!loadPlan(folder, "sweep run", plan)) return kExitUsage;
  if (options.chunk != 0) plan.chunk = options.chunk;
  if (options.task >= taskCount(plan)) {
    std::fprintf(stderr, "corvalent2 sweep run: --task %llu: the plan has tasks 0 to %llu\n",
                 static_cast<unsigned long long>(options.task),
                 static_cast<unsigned long long>(taskCount(plan) - 1));
    return kExitUsage;
  }
  const RunSetup setup{folder, "/proc/self/exe", childModule(options.module)};
  return runTask(plan, setup, options.task, plan.chunk, std::cerr) == 0 ? kExitOk : kExitFailed;
}

int sweepGather(const SweepGatherOptions& options) {
  Plan plan;
  const fs::path folder = absoluteFolder(options.folder);
  if (!loadPlan(folder, "sweep gather", plan)) return kExitUsage;
  const GatherRequest request{folder, toolPath(), options.partial};
  const int status = gatherSweep(plan, request, std::cout, std::cerr);
  return standardOutputWritten("sweep gather") ? status : kExitFailed;
}

int sweepLocal(const SweepLocalOptions& options) {
  Plan plan;
  const fs::path folder = absoluteFolder(options.folder);
  if (!loadPlan(folder, "sweep local", plan)) return kExitUsage;
  const unsigned jobs = options.jobs != 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
  simulate::ProgressBar bar(simulate::standardErrorIsTerminal() ? &std::cerr : nullptr);
  const auto start = std::chrono::steady_clock::now();
  const auto progress = [&](std::uint64_t done, std::uint64_t total) {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    bar.update(static_cast<double>(done) / static_cast<double>(total), elapsed.count());
  };
  const RunSetup setup{folder, "/proc/self/exe", childModule(options.module)};
  const std::uint64_t unwritten = runAllLocally(plan, setup, jobs, progress, std::cerr);
  bar.finish();
  const GatherRequest request{folder, toolPath(), false};
  const int status = gatherSweep(plan, request, std::cout, std::cerr);
  if (!standardOutputWritten("sweep local")) return kExitFailed;
  return unwritten != 0 && status == kExitOk ? kExitFailed : status;
}

int sweepScenario(const SweepScenarioOptions& options) {
  Plan plan;
  if (!loadPlan(absoluteFolder(options.folder), "sweep scenario", plan)) return kExitUsage;
  if (options.index >= plan.runs) {
    std::fprintf(stderr, "corvalent2 sweep scenario: run %llu: the plan has runs 0 to %llu\n",
                 static_cast<unsigned long long>(options.index),
                 static_cast<unsigned long long>(plan.runs - 1));
    return kExitUsage;
  }
  const std::string text = runScenario(plan.sweep, options.index).dump(2) + '\n';
  if (options.output.empty() || options.output == "-") {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return standardOutputWritten("sweep scenario") ? kExitOk : kExitFailed;
  }
  const std::string why = writeTextFile(options.output, text);
  if (why.empty()) return kExitOk;
  std::fprintf(stderr, "corvalent2 sweep scenario: writing %s failed: %s\n",
               shownArgument(options.output).c_str(), why.c_str());
  return kExitFailed;
}

}  // namespace substitute_host

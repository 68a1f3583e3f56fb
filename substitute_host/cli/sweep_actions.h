#pragma once

#include <cstdint>
#include <string>

namespace substitute_host {

struct SweepPlanOptions {
  std::string sweepFile;
  std::string folder;
  std::uint64_t chunk = 4;
  std::uint64_t throttle = 16;
  std::uint64_t maxRuns = 0;  // 0: the default limit
  bool allowMany = false;
};
struct SweepRunOptions {
  std::string folder;
  std::uint64_t task = 0;
  std::uint64_t chunk = 0;  // 0: the plan's
  std::string module;
};
struct SweepGatherOptions {
  std::string folder;
  bool partial = false;
};
struct SweepLocalOptions {
  std::string folder;
  unsigned jobs = 0;  // 0: every core
  std::string module;
};
struct SweepScenarioOptions {
  std::string folder;
  std::uint64_t index = 0;
  std::string output;  // empty or "-": standard output
};

// Each returns the tool's exit status; sweep gather and local end with 3 while runs
// are missing.
int sweepPlan(const SweepPlanOptions& options);
int sweepRun(const SweepRunOptions& options);
int sweepGather(const SweepGatherOptions& options);
int sweepLocal(const SweepLocalOptions& options);
int sweepScenario(const SweepScenarioOptions& options);

}  // namespace substitute_host

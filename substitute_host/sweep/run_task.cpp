#include "sweep/run_task.h"

#include <unistd.h>

#include <csignal>

#include <algorithm>
#include <exception>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

#include "sweep/child_run.h"
#include "sweep/run_values.h"
#include "text/display_text.h"

namespace substitute_host::sweep {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kShownErrorBytes = 500;

// The hidden files one run works with, beside its part and named after it and this
// process, removed when the run is done.
struct RunFiles {
  fs::path scenario, figures, errors;

  RunFiles(const fs::path& parts, std::uint64_t index) {
    const std::string stem = "." + partFileName(index) + "." + std::to_string(::getpid());
    scenario = parts / (stem + ".scenario.json");
    figures = parts / (stem + ".figures.json");
    errors = parts / (stem + ".stderr");
  }
  ~RunFiles() {
    std::error_code ignored;  // a leftover hidden file is harmless; gather never reads it
    for (const fs::path* path : {&scenario, &figures, &errors}) fs::remove(*path, ignored);
  }
};

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool writeAll(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  return static_cast<bool>(out);
}

// What the child said on standard error, on one line: its lines joined, escaped, cut.
std::string childErrors(const fs::path& errors, const ChildOutcome& outcome) {
  std::string text = readAll(errors), joined;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) joined += (joined.empty() ? "" : "; ") + text.substr(start, end - start);
    start = end + 1;
  }
  if (!outcome.failure.empty()) joined += (joined.empty() ? "" : "; ") + outcome.failure;
  if (joined.empty()) joined = "simulate ended with exit status " + std::to_string(outcome.exitStatus);
  return displayText(joined, kShownErrorBytes);
}

bool stoppedFromOutside(int signal) {
  return signal == SIGINT || signal == SIGTERM || signal == SIGHUP || signal == SIGKILL;
}

std::vector<std::string> childCommand(const RunSetup& setup, const RunFiles& files) {
  std::vector<std::string> argv = {setup.tool,  "simulate", "--format", "none", "--no-plot",
                                   "--summary-json", files.figures.string()};
  if (!setup.module.empty()) argv.insert(argv.end(), {"--module", setup.module});
  argv.push_back(files.scenario.string());
  return argv;
}

void readFigures(const RunFiles& files, RunPart& part) {
  try {
    const std::string why =
        figuresFromJson(plant::json_checks::parseStrict(readAll(files.figures)), part.figures);
    if (!why.empty()) part.status = "the run's figures could not be read: " + why;
  } catch (const std::exception& e) {
    part.status = std::string("the run's figures could not be read: ") + e.what();
  }
}

}  // namespace

RunOutcome runOne(const Plan& plan, const RunSetup& setup, std::uint64_t index) {
  RunOutcome outcome;
  RunPart& part = outcome.part;
  part.index = index;
  part.figures.fill(std::numeric_limits<double>::quiet_NaN());
  const RunFiles files(setup.folder / kPartsFolder, index);
  try {
    if (!writeAll(files.scenario, runScenario(plan.sweep, index).dump() + '\n')) {
      part.status = "the run's scenario could not be written to " + displayText(files.scenario.string());
      return outcome;
    }
  } catch (const std::exception& e) {
    part.status = std::string("the run's scenario could not be made: ") + e.what();
    return outcome;
  }
  const ChildOutcome child = runChild(childCommand(setup, files), files.errors);
  outcome.interrupted = stoppedFromOutside(child.signal);
  if (child.started && child.failure.empty() && child.exitStatus == 0) {
    readFigures(files, part);
  } else {
    part.status = childErrors(files.errors, child);
  }
  if (!part.ok()) part.figures.fill(std::numeric_limits<double>::quiet_NaN());
  return outcome;
}

PartWrite runAndWritePart(const Plan& plan, const RunSetup& setup, std::uint64_t index) {
  const RunOutcome outcome = runOne(plan, setup, index);
  if (outcome.interrupted)
    return {true, "the run was stopped from outside: " + outcome.part.status};
  return {false, writePart(setup.folder / kPartsFolder, outcome.part)};
}

std::uint64_t runTask(const Plan& plan, const RunSetup& setup, std::uint64_t task,
                      std::uint64_t chunk, std::ostream& err) {
  std::uint64_t unwritten = 0;
  const std::uint64_t first = task * chunk;
  const std::uint64_t end = std::min(plan.runs, first + chunk);
  for (std::uint64_t index = first; index < end; ++index) {
    const PartWrite written = runAndWritePart(plan, setup, index);
    if (written.error.empty()) continue;
    err << "sweep run: no part of run " << index << " written: " << written.error << '\n';
    ++unwritten;
    // Whoever stopped the run means the task: the runs after it are not started.
    if (written.interrupted) return unwritten + (end - index - 1);
  }
  return unwritten;
}

}  // namespace substitute_host::sweep

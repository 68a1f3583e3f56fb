#include "simulate_command.h"

#include <cstdio>
#include <memory>
#include <string>

#include "loader/installed_block.h"
#include "module_option.h"
#include "sim/simulate_main.h"

namespace substitute_host {
namespace {

struct SimulateOptions {
  std::string scenario;
  std::string outputDir;
  int decimate = 1;
  bool plot = true;
  std::string module;
};

int runSimulate(const SimulateOptions& options) {
  InstalledBlock installed;
  std::string error;
  if (!installed.open(modulePathOrDefault(options.module), error)) {
    std::fprintf(stderr, "corvalent2 simulate: module: %s\n", error.c_str());
    return kExitUsage;
  }
  sim::SimulateRequest request;
  request.scenarioPath = options.scenario;
  request.outputDir = options.outputDir.empty() ? executableDirectory() + "sim" : options.outputDir;
  request.decimate = options.decimate;
  request.plot = options.plot;
  return sim::simulateMain(request, InstalledBlock::stepThroughSlot, &installed);
}

}  // namespace

Subcommand addSimulateCommand(CLI::App& app) {
  auto options = std::make_shared<SimulateOptions>();
  CLI::App* simulate = app.add_subcommand(
      "simulate",
      "Drive two motors of a small electric vehicle in closed loop with the block: the "
      "plug-in module is installed into a host record and its output method runs every "
      "50 us against the plant. Writes a CSV of the run, a gnuplot script and a PNG plot, "
      "and prints a summary.");
  simulate->add_option("SCENARIO", options->scenario,
                       "Scenario file (JSON). Absent: the built-in default scenario.");
  simulate->add_option("-o,--output", options->outputDir,
                       "Folder for the results (default: sim/ next to this executable, "
                       "i.e. build/sim/).");
  simulate->add_option("--decimate", options->decimate, "Write every Nth control step to the CSV.")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  simulate->add_flag("!--no-plot", options->plot, "Write the CSV and the script but no PNG.");
  addModuleOption(*simulate, options->module);
  return Subcommand{simulate, [options] { return runSimulate(*options); }};
}

}  // namespace substitute_host

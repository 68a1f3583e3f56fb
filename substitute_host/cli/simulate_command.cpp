#include "simulate_command.h"

#include <charconv>
#include <climits>
#include <cstdio>
#include <memory>
#include <string>

#include "checked_output.h"
#include "loader/installed_block.h"
#include "module_option.h"
#include "simulate/simulate_main.h"
#include "stop_signals.h"

namespace substitute_host {
namespace {

struct SimulateOptions {
  std::string scenario;
  std::string outputDir;
  int decimate = 1;
  std::string format = "csv";
  std::string matVersion = "7.3";
  bool plot = true;
  std::string summaryJson;
  std::string module;
};

int runSimulate(const SimulateOptions& options) {
  InstalledBlock installed;
  std::string error;
  if (!installed.open(modulePathOrDefault(options.module), error)) {
    std::fprintf(stderr, "corvalent2 simulate: module: %s\n", shownArgument(error).c_str());
    return kExitUsage;
  }
  simulate::SimulateRequest request;
  request.scenarioPath = options.scenario;
  request.outputDir = options.outputDir.empty() ? executableDirectory() + "sim" : options.outputDir;
  request.decimate = options.decimate;
  request.format = options.format == "mat"    ? simulate::LogFormat::mat
                   : options.format == "none" ? simulate::LogFormat::none
                                              : simulate::LogFormat::csv;
  request.matVersion =
      options.matVersion == "5" ? matfile_out::MatVersion::v5 : matfile_out::MatVersion::v73;
  request.toolVersion = "corvalent2 " CORVALENT2_TOOL_VERSION;
  request.plot = options.plot;
  request.summaryJsonPath = options.summaryJson;
  // SIGINT and SIGTERM stop the run, which closes the rows logged so far into its file.
  const StopSignals stop;
  request.stopSignal = StopSignals::flag();
  const int status = simulate::simulateMain(request, InstalledBlock::stepThroughSlot, &installed);
  // The simulation checks its own summary; this catches what reached stdout otherwise.
  if (status == kExitOk && !standardOutputWritten("simulate")) return kExitFailed;
  return status;
}

// A whole number of steps from 1 up; said in those words rather than as a range of
// doubles.
CLI::Validator wholeStepCount() {
  return CLI::Validator(
      [](std::string& text) {
        long long value = 0;
        const char* const end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data(), end, value);
        if (error == std::errc() && stop == end && value >= 1 && value <= INT_MAX)
          return std::string();
        return "must be a whole number from 1 to " + std::to_string(INT_MAX) + ", got '" +
               shownArgument(text) + "'";
      },
      "N", "WholeStepCount");
}

}  // namespace

Subcommand addSimulateCommand(CLI::App& app) {
  auto options = std::make_shared<SimulateOptions>();
  CLI::App* simulate = app.add_subcommand(
      "simulate",
      "Drive two motors of a small electric vehicle in closed loop with the block: the "
      "plug-in module is installed into a host record and its output method runs every "
      "50 us against the plant. Writes a log of the run (CSV with a gnuplot script and a "
      "PNG plot, or a MAT file with the same), and prints a summary. SIGINT or SIGTERM stops the run and "
      "keeps the rows logged so far.");
  simulate
      ->add_option("SCENARIO", options->scenario,
                   "Scenario file (JSON). Absent: the built-in default scenario.")
      ->check(nonEmptyPath());
  simulate
      ->add_option("-o,--output", options->outputDir,
                   "Folder for the results (default: sim/ next to this executable, "
                   "i.e. build/sim/).")
      ->check(nonEmptyPath());
  simulate->add_option("--decimate", options->decimate, "Write every Nth control step to the CSV.")
      ->check(wholeStepCount())
      ->capture_default_str();
  simulate
      ->add_option("--format", options->format,
                   "The log: 'csv' (with a gnuplot script and PNG), 'mat' (a MAT file, one "
                   "variable per column, with the scenario, sample time and tool version; "
                   "the plot reads NAME.plot.csv, the plotted columns alone, written beside it), "
                   "or 'none' (no log, no plot: the summary alone).")
      ->check(CLI::IsMember({"csv", "mat", "none"}))
      ->capture_default_str();
  simulate
      ->add_option("--mat-version", options->matVersion,
                   "MAT file format: '7.3' (HDF5, streamed) or '5' (level 5, for readers "
                   "that know no other; held in memory until the end, at most 1 GiB).")
      ->check(CLI::IsMember({"7.3", "5"}))
      ->capture_default_str();
  simulate->add_flag("!--no-plot", options->plot, "Write the log and the script but no PNG.");
  simulate
      ->add_option("--summary-json", options->summaryJson,
                   "Also write the run's outcome figures to this JSON file, each at full "
                   "precision (final and peak speed, peak phase currents and modulation "
                   "indices, when field weakening began, the largest slip, the energy drawn "
                   "from the DC link); no timings, so the same run gives the same file.")
      ->check(nonEmptyPath());
  addModuleOption(*simulate, options->module);
  return Subcommand{simulate, [options] { return runSimulate(*options); }};
}

}  // namespace substitute_host

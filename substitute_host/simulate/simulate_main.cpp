#include "simulate/simulate_main.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "plant/scenario.h"
#include "plant/simulation.h"
#include "simulate/csv_writer.h"
#include "simulate/external_program.h"
#include "simulate/mat_log.h"
#include "simulate/output_messages.h"
#include "simulate/plot_output.h"
#include "simulate/progress_bar.h"
#include "simulate/run_log.h"
#include "simulate/summary.h"
#include "simulate/summary_json.h"
#include "text/display_text.h"

namespace substitute_host::simulate {

namespace {

namespace fs = std::filesystem;
using plant::ControllerStep;
using plant::Scenario;
using plant::SimulationResult;

struct Streams {
  std::ostream& out;
  std::ostream& err;
};

// How many rows the run logs: every decimate-th of its control steps, from the first.
std::uint64_t recordedRows(const Scenario& sc, int decimate) {
  const double steps = std::max(1.0, std::ceil(sc.duration / plant::kControlStep - 1e-9));
  return static_cast<std::uint64_t>(std::ceil(steps / decimate));
}

// A level-5 log is held in memory until the run ends: one beyond the bound is refused
// before anything runs, with what would bring it under.
bool fitsLevel5Memory(const SimulateRequest& req, const Scenario& sc, Streams io) {
  if (req.outputDir.empty() || req.format != LogFormat::mat ||
      req.matVersion != matfile_out::MatVersion::v5)
    return true;
  const std::vector<matfile_out::MatColumn> columns = matLogColumns();
  const std::uint64_t rows = recordedRows(sc, req.decimate);
  if (matfile_out::columnBytes(columns, rows) <= matfile_out::kLevel5MemoryBytes) return true;
  const std::uint64_t fitting =
      matfile_out::kLevel5MemoryBytes / matfile_out::columnBytes(columns, 1);
  io.err << "simulate: a level-5 MAT log is held in memory until the run ends, and its " << rows
         << " rows would take more than 1 GiB (at most " << fitting
         << " fit): use --mat-version 7.3 or a larger --decimate\n";
  return false;
}

// The scenario as written, for the MAT log: the file read again, or the built-in text.
bool scenarioText(const SimulateRequest& req, std::string& text, Streams io) {
  if (req.scenarioPath.empty()) {
    text = plant::defaultScenarioJson();
    return true;
  }
  std::ifstream in(req.scenarioPath, std::ios::binary);
  std::ostringstream read;
  read << in.rdbuf();
  if (in && read) {
    text = read.str();
    return true;
  }
  io.err << "simulate: cannot read " << shownPath(req.scenarioPath) << " again for the log\n";
  return false;
}

PlotRequest plotRequest(const SimulateRequest& req, const Scenario& sc,
                        const SimulationResult& result) {
  PlotRequest plot;
  plot.csvFile = sc.name + ".csv";
  plot.pngFile = sc.name + ".png";
  plot.title = "Corvalent2 closed loop: " + sc.name;
  if (!sc.description.empty()) plot.title += " - " + displayText(sc.description, 120);
  plot.rows = (result.steps + req.decimate - 1) / req.decimate;
  plot.gearRatio = sc.plant.gearRatio;
  plot.maxUdc = 0.0;
  plot.minX = result.stats.minX;
  plot.maxX = result.stats.maxX;
  plot.minY = result.stats.minY;
  plot.maxY = result.stats.maxY;
  for (const auto& point : sc.udc.points()) plot.maxUdc = std::max(plot.maxUdc, point.value);
  return plot;
}

// The summary is what the user asked for; one that could not be written is a failure.
int checkedSummary(int status, Streams io) {
  errno = 0;
  io.out.flush();
  if (io.out) return status;
  io.err << "simulate: writing the summary failed: " << failureReason(errno) << '\n';
  return kSimulateFailed;
}

// The closed loop with every recorded step written to the log (when open), stopped at
// the first step after a stop signal, and a progress bar on a terminal's stderr. Without
// a log no step's record is built at all.
SimulationResult runLogged(const SimulateRequest& req, const Scenario& sc, ControllerStep step,
                           void* context, RunLog& log) {
  plant::StepSink sink;
  if (log.isOpen()) sink = [&log](const plant::StepRecord& r) { return log.write(r); };
  plant::SimulationOptions options;
  options.decimate = req.decimate;
  options.stop = req.stopSignal;
  ProgressBar bar(req.progress && standardErrorIsTerminal() ? &std::cerr : nullptr);
  options.progress = [&bar](double fraction, double elapsed) { bar.update(fraction, elapsed); };
  SimulationResult result = plant::runSimulation(sc, step, context, options, sink);
  bar.finish();
  return result;
}

// A run a signal stopped keeps what it logged: the rows so far are closed into a file
// that reads as any other, and the message says how far the run got.
int reportStopped(int signal, const SimulationResult& result, RunLog& log, Streams io) {
  const std::uint64_t rows = log.rows();
  const bool hadLog = log.isOpen();
  if (!log.commit(io.err)) return kSimulateFailed;
  io.err << "simulate: stopped by signal " << signal << " at t = " << result.simulatedSeconds
         << " s";
  if (hadLog) io.err << "; the " << rows << " rows logged so far are in " << shownPath(log.path());
  io.err << '\n';
  return kSimulateSignalBase + signal;
}

int drawPlot(const SimulateRequest& req, const Scenario& sc, const SimulationResult& result,
             const RunLog& log, Streams io) {
  if (req.outputDir.empty() || req.format == LogFormat::none) return kSimulateOk;
  const fs::path dir = req.outputDir;
  if (req.format == LogFormat::mat) io.out << "Wrote " << shownPath(log.path()) << '\n';
  const bool plotted =
      req.format == LogFormat::mat
          ? writeMatPlot(plotRequest(req, sc, result), dir, log.path(), dir / (sc.name + ".gp"),
                         req.plot, io.out, io.err)
          : writePlot(plotRequest(req, sc, result), dir, dir / (sc.name + ".gp"), req.plot,
                      io.out, io.err);
  return plotted ? kSimulateOk : kSimulateFailed;
}

// Commits the log and counts the time it took in the run's: the real-time factor spans
// everything until the log's last row is in its file, not only the loop.
bool commitCounted(RunLog& log, SimulationResult& result, Streams io) {
  const auto start = std::chrono::steady_clock::now();
  if (!log.commit(io.err)) return false;
  result.wallSeconds +=
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return true;
}

int runAndReport(const SimulateRequest& req, const Scenario& sc, ControllerStep step, void* context,
                 Streams io) {
  RunLog log(req.format, req.matVersion);
  LogMetadata metadata;
  metadata.toolVersion = req.toolVersion;
  if (req.format == LogFormat::mat && !scenarioText(req, metadata.scenarioText, io))
    return kSimulateFailed;
  if (!log.open(req.outputDir, sc.name, recordedRows(sc, req.decimate), metadata, io.err))
    return kSimulateFailed;
  SimulationResult result = runLogged(req, sc, step, context, log);
  if (req.stopSignal != nullptr && *req.stopSignal != 0)
    return reportStopped(*req.stopSignal, result, log, io);
  if (!result.ok()) {
    io.err << result.error << '\n';
    const std::string why = log.writeError();
    if (!why.empty())
      io.err << "simulate: writing " << shownPath(log.path()) << " failed: " << why << '\n';
    return kSimulateFailed;
  }
  if (!commitCounted(log, result, io)) return kSimulateFailed;
  printSummary(io.out, sc, result);
  if (!req.summaryJsonPath.empty()) {
    const std::string why = writeSummaryJson(req.summaryJsonPath, summaryFigures(result));
    if (!why.empty()) {
      io.err << "simulate: writing " << shownPath(req.summaryJsonPath) << " failed: " << why << '\n';
      return kSimulateFailed;
    }
  }
  return drawPlot(req, sc, result, log, io);
}

int loadAndRun(const SimulateRequest& req, ControllerStep step, void* context, Streams io) {
  if (req.decimate < 1) {
    io.err << "simulate: decimate must be at least 1, got " << req.decimate << '\n';
    return kSimulateRefused;
  }
  const plant::ScenarioParse parsed = req.scenarioPath.empty()
                                          ? plant::defaultScenario()
                                          : plant::loadScenarioFile(req.scenarioPath);
  if (!parsed.ok()) {
    io.err << parsed.error << '\n';
    return kSimulateRefused;
  }
  if (!req.outputDir.empty() && req.format == LogFormat::csv) {
    const std::string warning = csvSizeWarning(parsed.scenario.duration, req.decimate);
    if (!warning.empty()) io.err << "simulate: warning: " << warning << '\n';
  }
  if (!fitsLevel5Memory(req, parsed.scenario, io)) return kSimulateRefused;
  return checkedSummary(runAndReport(req, parsed.scenario, step, context, io), io);
}

}  // namespace

int simulateMain(const SimulateRequest& request, ControllerStep step, void* context) {
  std::ostream& out = request.out != nullptr ? *request.out : std::cout;
  std::ostream& err = request.err != nullptr ? *request.err : std::cerr;
  try {
    return loadAndRun(request, step, context, Streams{out, err});
  } catch (const std::exception& e) {
    err << "simulate: " << e.what() << '\n';
  } catch (...) {
    err << "simulate: unexpected failure\n";
  }
  return kSimulateFailed;
}

}  // namespace substitute_host::simulate

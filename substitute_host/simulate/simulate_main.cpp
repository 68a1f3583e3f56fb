#include "simulate/simulate_main.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <filesystem>
#include <iostream>

#include "plant/scenario.h"
#include "plant/simulation.h"
#include "simulate/csv_writer.h"
#include "simulate/external_program.h"
#include "simulate/output_messages.h"
#include "simulate/plot_output.h"
#include "simulate/progress_bar.h"
#include "simulate/summary.h"
#include "table/output_file.h"
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

bool openCsv(const fs::path& dir, const fs::path& csvPath, OutputFile& csv, Streams io) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) {
    io.err << "simulate: cannot create " << shownPath(dir) << ": " << ec.message() << '\n';
    return false;
  }
  if (csv.open(csvPath.string())) return true;
  io.err << "simulate: cannot write " << shownPath(csvPath) << ": " << csv.error() << '\n';
  return false;
}

// The log takes its name only when complete: after a run that failed, none is left.
bool commitCsv(const fs::path& csvPath, OutputFile& csv, Streams io) {
  if (csv.stream() == nullptr || csv.commit()) return true;
  io.err << "simulate: writing " << shownPath(csvPath) << " failed: " << csv.error() << '\n';
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

// The closed loop with every recorded step written to `csv` (when open) and a progress
// bar on a terminal's standard error.
SimulationResult runLogged(const SimulateRequest& req, const Scenario& sc, ControllerStep step,
                           void* context, const OutputFile& csvFile) {
  CsvWriter csv(csvFile.stream());
  plant::StepSink sink;
  if (csvFile.stream() != nullptr) {
    csv.writeHeader();
    sink = [&csv](const plant::StepRecord& r) { return csv.write(r); };
  }
  plant::SimulationOptions options;
  options.decimate = req.decimate;
  ProgressBar bar(req.progress && standardErrorIsTerminal() ? &std::cerr : nullptr);
  options.progress = [&bar](double fraction, double elapsed) { bar.update(fraction, elapsed); };
  SimulationResult result = plant::runSimulation(sc, step, context, options, sink);
  bar.finish();
  return result;
}

int runAndReport(const SimulateRequest& req, const Scenario& sc, ControllerStep step, void* context,
                 Streams io) {
  const fs::path dir = req.outputDir;
  const fs::path csvPath = dir / (sc.name + ".csv");
  OutputFile csvFile;
  if (!dir.empty() && !openCsv(dir, csvPath, csvFile, io)) return kSimulateFailed;
  const SimulationResult result = runLogged(req, sc, step, context, csvFile);
  if (!result.ok()) {
    io.err << result.error << '\n';
    return kSimulateFailed;
  }
  if (!commitCsv(csvPath, csvFile, io)) return kSimulateFailed;
  printSummary(io.out, sc, result);
  if (dir.empty()) return kSimulateOk;
  const bool plotted = writePlot(plotRequest(req, sc, result), dir, dir / (sc.name + ".gp"),
                                 req.plot, io.out, io.err);
  return plotted ? kSimulateOk : kSimulateFailed;
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
  if (!req.outputDir.empty()) {
    const std::string warning = csvSizeWarning(parsed.scenario.duration, req.decimate);
    if (!warning.empty()) io.err << "simulate: warning: " << warning << '\n';
  }
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

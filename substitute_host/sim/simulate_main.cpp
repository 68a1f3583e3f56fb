#include "sim/simulate_main.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "sim/csv_writer.h"
#include "sim/external_program.h"
#include "sim/plot_script.h"
#include "sim/scenario.h"
#include "sim/simulation.h"
#include "sim/summary.h"

namespace substitute_host::sim {

namespace {

namespace fs = std::filesystem;

struct Streams {
  std::ostream& out;
  std::ostream& err;
};

int writePlot(const SimulateRequest& req, const Scenario& sc, const SimulationResult& result,
              const fs::path& dir, Streams io) {
  PlotRequest plot;
  plot.csvFile = sc.name + ".csv";
  plot.pngFile = sc.name + ".png";
  plot.title = "Corvalent2 closed loop: " + sc.name;
  plot.rows = (result.steps + req.decimate - 1) / req.decimate;
  plot.plant = sc.plant;
  plot.maxUdc = 0.0;
  plot.minX = result.stats.minX;
  plot.maxX = result.stats.maxX;
  plot.minY = result.stats.minY;
  plot.maxY = result.stats.maxY;
  for (const auto& point : sc.udc.points()) plot.maxUdc = std::max(plot.maxUdc, point.value);
  const fs::path script = dir / (sc.name + ".gp");
  std::ofstream gp(script);
  gp << plotScript(plot);
  gp.close();
  if (!gp) {
    io.err << "simulate: cannot write " << script.string() << '\n';
    return kSimulateFailed;
  }
  io.out << "Wrote " << (dir / plot.csvFile).string() << " and " << script.string() << '\n';
  if (!req.plot) return kSimulateOk;
  const PlotOutcome drawn = runGnuplot(script);
  if (drawn.drawn) {
    io.out << "Wrote " << (dir / plot.pngFile).string() << '\n';
  } else {
    // The CSV is the result; the picture is a convenience.
    io.err << "simulate: plot skipped: " << drawn.message << '\n';
  }
  return kSimulateOk;
}

int simulate(const SimulateRequest& req, ControllerStep step, void* context, Streams io) {
  if (req.decimate < 1) {
    io.err << "simulate: decimate must be at least 1, got " << req.decimate << '\n';
    return kSimulateRefused;
  }
  const ScenarioParse parsed =
      req.scenarioPath.empty() ? defaultScenario() : loadScenarioFile(req.scenarioPath);
  if (!parsed.ok()) {
    io.err << parsed.error << '\n';
    return kSimulateRefused;
  }
  const Scenario& sc = parsed.scenario;

  fs::path dir;
  std::ofstream csvFile;
  if (!req.outputDir.empty()) {
    dir = req.outputDir;
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
      io.err << "simulate: cannot create " << dir.string() << ": " << ec.message() << '\n';
      return kSimulateFailed;
    }
    csvFile.open(dir / (sc.name + ".csv"));
    if (!csvFile) {
      io.err << "simulate: cannot write " << (dir / (sc.name + ".csv")).string() << '\n';
      return kSimulateFailed;
    }
  }
  CsvWriter csv(csvFile);
  StepSink sink;
  if (csvFile.is_open()) {
    csv.writeHeader();
    sink = [&csv](const StepRecord& r) { return csv.write(r); };
  }

  SimulationOptions options;
  options.decimate = req.decimate;
  if (req.progress && standardErrorIsTerminal()) options.progress = &std::cerr;
  const SimulationResult result = runSimulation(sc, step, context, options, sink);
  if (csvFile.is_open()) csvFile.close();
  if (!result.ok()) {
    io.err << result.error << '\n';
    return kSimulateFailed;
  }
  printSummary(io.out, sc, result);
  if (dir.empty()) return kSimulateOk;
  if (!csvFile) {
    io.err << "simulate: writing " << (dir / (sc.name + ".csv")).string() << " failed\n";
    return kSimulateFailed;
  }
  return writePlot(req, sc, result, dir, io);
}

}  // namespace

int simulateMain(const SimulateRequest& request, ControllerStep step, void* context) {
  std::ostream& out = request.out != nullptr ? *request.out : std::cout;
  std::ostream& err = request.err != nullptr ? *request.err : std::cerr;
  try {
    return simulate(request, step, context, Streams{out, err});
  } catch (const std::exception& e) {
    err << "simulate: " << e.what() << '\n';
  } catch (...) {
    err << "simulate: unexpected failure\n";
  }
  return kSimulateFailed;
}

}  // namespace substitute_host::sim

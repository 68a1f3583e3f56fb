#include "sim/simulate_main.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
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
#include "text/display_text.h"

namespace substitute_host::sim {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kShownPathBytes = 200;

struct Streams {
  std::ostream& out;
  std::ostream& err;
};

std::string shown(const fs::path& path) { return displayText(path.string(), kShownPathBytes); }

std::string reason(int error) { return error != 0 ? std::strerror(error) : "the stream failed"; }

bool openCsv(const fs::path& dir, const fs::path& csvPath, std::ofstream& csv, Streams io) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) {
    io.err << "simulate: cannot create " << shown(dir) << ": " << ec.message() << '\n';
    return false;
  }
  errno = 0;
  csv.open(csvPath, std::ios::binary);
  if (!csv) {
    io.err << "simulate: cannot write " << shown(csvPath) << ": " << reason(errno) << '\n';
    return false;
  }
  return true;
}

bool closeCsv(const fs::path& csvPath, std::ofstream& csv, Streams io) {
  if (!csv.is_open()) return true;
  errno = 0;
  csv.close();
  if (csv) return true;
  io.err << "simulate: writing " << shown(csvPath) << " failed: " << reason(errno) << '\n';
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
  plot.plant = sc.plant;
  plot.maxUdc = 0.0;
  plot.minX = result.stats.minX;
  plot.maxX = result.stats.maxX;
  plot.minY = result.stats.minY;
  plot.maxY = result.stats.maxY;
  for (const auto& point : sc.udc.points()) plot.maxUdc = std::max(plot.maxUdc, point.value);
  return plot;
}

int writePlot(const SimulateRequest& req, const Scenario& sc, const SimulationResult& result,
              const fs::path& dir, Streams io) {
  const PlotRequest plot = plotRequest(req, sc, result);
  const fs::path script = dir / (sc.name + ".gp");
  errno = 0;
  std::ofstream gp(script, std::ios::binary);
  gp << plotScript(plot);
  gp.close();
  if (!gp) {
    io.err << "simulate: cannot write " << shown(script) << ": " << reason(errno) << '\n';
    return kSimulateFailed;
  }
  io.out << "Wrote " << shown(dir / plot.csvFile) << " and " << shown(script) << '\n';
  if (!req.plot) return kSimulateOk;
  const PlotOutcome drawn = runGnuplot(script);
  if (drawn.drawn) {
    io.out << "Wrote " << shown(dir / plot.pngFile) << '\n';
  } else {
    // The CSV is the result; the picture is a convenience.
    io.err << "simulate: plot skipped: " << displayText(drawn.message, kShownPathBytes) << '\n';
  }
  return kSimulateOk;
}

// The summary is what the user asked for; one that could not be written is a failure.
int checkedSummary(int status, Streams io) {
  errno = 0;
  io.out.flush();
  if (io.out) return status;
  io.err << "simulate: writing the summary failed: " << reason(errno) << '\n';
  return kSimulateFailed;
}

int runAndReport(const SimulateRequest& req, const Scenario& sc, ControllerStep step, void* context,
                 Streams io) {
  const fs::path dir = req.outputDir;
  const fs::path csvPath = dir / (sc.name + ".csv");
  std::ofstream csvFile;
  if (!dir.empty() && !openCsv(dir, csvPath, csvFile, io)) return kSimulateFailed;
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
  const bool csvWritten = closeCsv(csvPath, csvFile, io);
  if (!result.ok()) {
    io.err << result.error << '\n';
    return kSimulateFailed;
  }
  if (!csvWritten) return kSimulateFailed;
  printSummary(io.out, sc, result);
  return dir.empty() ? kSimulateOk : writePlot(req, sc, result, dir, io);
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
    return simulate(request, step, context, Streams{out, err});
  } catch (const std::exception& e) {
    err << "simulate: " << e.what() << '\n';
  } catch (...) {
    err << "simulate: unexpected failure\n";
  }
  return kSimulateFailed;
}

}  // namespace substitute_host::sim

#include "simulation_columns.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <new>

#include "sim/scenario.h"
#include "sim/simulation.h"

namespace octave_host {

namespace sim = substitute_host::sim;

namespace {

sim::ScenarioParse parseScenario(const std::string& path) {
  return path.empty() ? sim::defaultScenario() : sim::loadScenarioFile(path);
}

// A file that opens is judged by its content; a folder or a file that does not open
// is unreadable.
bool fileOpens(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

std::vector<SimulationColumn> emptyColumns(std::size_t rows) {
  std::vector<SimulationColumn> columns;
  for (const sim::RecordColumn& column : sim::recordColumns()) {
    columns.push_back({column.header, column.isFloat, {}});
    columns.back().values.reserve(rows);
  }
  return columns;
}

}  // namespace

bool checkScenario(const std::string& path, DriveFailure& failure) {
  const sim::ScenarioParse parsed = parseScenario(path);
  if (parsed.ok()) return true;
  if (!path.empty() && !fileOpens(path))
    fail(failure, "Corvalent2:simulate:unreadableScenario", "%s", parsed.error.c_str());
  else
    fail(failure, "Corvalent2:simulate:invalidScenario", "%s", parsed.error.c_str());
  return false;
}

bool simulateColumns(LoadedBlock& block, const std::string& scenarioPath, int decimate,
                     std::vector<SimulationColumn>& columns, DriveFailure& failure) {
  const sim::ScenarioParse parsed = parseScenario(scenarioPath);
  if (!parsed.ok()) return checkScenario(scenarioPath, failure);
  const double steps = std::ceil(parsed.scenario.duration / sim::kControlStep);
  try {
    columns = emptyColumns(static_cast<std::size_t>(steps / decimate) + 1);
  } catch (const std::bad_alloc&) {
    fail(failure, "Corvalent2:simulate:outOfMemory",
         "not enough memory for %.0f recorded steps; record fewer with \"decimate\"",
         steps / decimate);
    return false;
  }
  sim::SimulationOptions options;
  options.decimate = decimate;
  const sim::SimulationResult result = sim::runSimulation(
      parsed.scenario, LoadedBlock::stepThroughSlot, &block, options,
      [&columns](const sim::StepRecord& record) {
        for (std::size_t i = 0; i < columns.size(); ++i)
          columns[i].values.push_back(sim::recordColumns()[i].read(record));
        return true;
      });
  if (!result.ok()) {
    fail(failure, "Corvalent2:simulate:failed", "%s", result.error.c_str());
    return false;
  }
  return true;
}

}  // namespace octave_host

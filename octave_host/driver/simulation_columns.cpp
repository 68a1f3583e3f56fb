#include "simulation_columns.h"

#include <cmath>
#include <new>
#include <utility>

#include "plant/simulation.h"

namespace octave_host {

namespace plant = substitute_host::plant;

namespace {

std::vector<SimulationColumn> emptyColumns(std::size_t rows) {
  std::vector<SimulationColumn> columns;
  for (const plant::RecordColumn& column : plant::recordColumns()) {
    columns.push_back({column.header, column.isFloat, {}});
    columns.back().values.reserve(rows);
  }
  return columns;
}

}  // namespace

bool loadScenario(const std::string& path, plant::Scenario& scenario, DriveFailure& failure) {
  plant::ScenarioParse parsed =
      path.empty() ? plant::defaultScenario() : plant::loadScenarioFile(path);
  if (parsed.ok()) {
    scenario = std::move(parsed.scenario);
    return true;
  }
  fail(failure,
       parsed.unreadable ? "Corvalent2:simulate:unreadableScenario"
                         : "Corvalent2:simulate:invalidScenario",
       "%s", parsed.error.c_str());
  return false;
}

bool simulateColumns(LoadedBlock& block, const plant::Scenario& scenario, int decimate,
                     std::vector<SimulationColumn>& columns, DriveFailure& failure) {
  const double steps = std::ceil(scenario.duration / plant::kControlStep);
  try {
    columns = emptyColumns(static_cast<std::size_t>(steps / decimate) + 1);
  } catch (const std::bad_alloc&) {
    fail(failure, "Corvalent2:simulate:outOfMemory",
         "not enough memory for %.0f recorded steps; record fewer with \"decimate\"",
         steps / decimate);
    return false;
  }
  plant::SimulationOptions options;
  options.decimate = decimate;
  const plant::SimulationResult result =
      plant::runSimulation(scenario, LoadedBlock::stepThroughSlot, &block, options,
                           [&columns](const plant::StepRecord& record) {
                             for (std::size_t i = 0; i < columns.size(); ++i)
                               columns[i].values.push_back(plant::recordColumns()[i].read(record));
                             return true;
                           });
  if (!result.ok()) {
    fail(failure, "Corvalent2:simulate:failed", "%s", result.error.c_str());
    return false;
  }
  return true;
}

}  // namespace octave_host

#pragma once

// The closed-loop simulation through the loaded block, kept in memory as one array
// per column of the simulator's CSV, for the caller to hand to Octave.

#include <string>
#include <string_view>
#include <vector>

#include "drive_failure.h"
#include "loaded_block.h"

namespace octave_host {

struct SimulationColumn {
  std::string_view header;     // the CSV column's name
  bool isBlockSignal;          // a block input or output: an exact single
  std::vector<double> values;  // one per recorded control step
};

// Checks the scenario before anything runs; an empty path is the built-in scenario.
// Every `decimate`-th control step is recorded, as in the CSV.
bool checkScenario(const std::string& path, DriveFailure& failure);
bool simulateColumns(LoadedBlock& block, const std::string& scenarioPath, int decimate,
                     std::vector<SimulationColumn>& columns, DriveFailure& failure);

}  // namespace octave_host

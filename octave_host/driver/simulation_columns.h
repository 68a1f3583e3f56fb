#pragma once

// The closed-loop simulation through the loaded block, kept in memory as one array
// per column of the simulator's CSV, for the caller to hand to Octave.

#include <string>
#include <string_view>
#include <vector>

#include "drive_failure.h"
#include "loaded_block.h"
#include "plant/scenario.h"

namespace octave_host {

struct SimulationColumn {
  std::string_view header;     // the CSV column's name
  bool isBlockSignal;          // a block input or output: an exact single
  std::vector<double> values;  // one per recorded control step
};

// Reads and checks the scenario before anything runs; an empty path is the built-in
// scenario. False, with the failure filled in, when the file cannot be read or its
// content is refused.
bool loadScenario(const std::string& path, substitute_host::plant::Scenario& scenario,
                  DriveFailure& failure);

// Runs the scenario, recording every `decimate`-th control step, as in the CSV.
bool simulateColumns(LoadedBlock& block, const substitute_host::plant::Scenario& scenario,
                     int decimate, std::vector<SimulationColumn>& columns, DriveFailure& failure);

}  // namespace octave_host

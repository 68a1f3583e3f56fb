#pragma once

#include <ostream>

#include "sim/scenario.h"
#include "sim/simulation.h"

namespace substitute_host::sim {

// A few lines for a person: how fast the vehicle went, how hard the motors were
// driven, whether field weakening took part and how fast the run was.
void printSummary(std::ostream& out, const Scenario& scenario, const SimulationResult& result);

}  // namespace substitute_host::sim

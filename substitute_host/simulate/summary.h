#pragma once

#include <ostream>

#include "plant/scenario.h"
#include "plant/simulation.h"

namespace substitute_host::simulate {

// A few lines for a person: how fast the vehicle went, how hard the motors were
// driven, whether field weakening took part and how fast the run was.
void printSummary(std::ostream& out, const plant::Scenario& scenario,
                  const plant::SimulationResult& result);

}  // namespace substitute_host::simulate

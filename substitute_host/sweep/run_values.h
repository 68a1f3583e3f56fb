#pragma once

#include <cstdint>
#include <vector>

#include "sweep/sweep_definition.h"

namespace substitute_host::sweep {

// How many points the grid has (1 without list entries) and how many runs the sweep
// has (grid points times samples); both stop at UINT64_MAX rather than wrap.
std::uint64_t gridPointCount(const SweepDefinition& sweep);
std::uint64_t runCount(const SweepDefinition& sweep);

// Run `index`'s value of every varied key, in the keys' order: grid point index /
// samples, the last list key fastest, and the draws of the run's own index.
std::vector<double> runValues(const SweepDefinition& sweep, std::uint64_t index);

// The base scenario with run `index`'s values written in.
Json runScenario(const SweepDefinition& sweep, std::uint64_t index);

}  // namespace substitute_host::sweep

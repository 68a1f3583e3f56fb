#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plant/json_checks.h"

namespace substitute_host::sweep {

using Json = plant::json_checks::Json;

// How one varied value takes its values: a grid axis (a list, or a range resolved into
// its list) or a draw made afresh for every run.
enum class VaryKind { list, uniform, normal };

struct VaryEntry {
  std::string key;             // dotted path into the scenario (dotted_key.h)
  VaryKind kind = VaryKind::list;
  std::vector<double> values;  // a grid axis's values, in order
  double first = 0.0;          // uniform: low; normal: mean
  double second = 0.0;         // uniform: high; normal: standard deviation
};

// A sweep with everything resolved: the scenario every run starts from and what each
// run changes in it. Runs are the grid's points (the product of the list entries, last
// key fastest) times `samples`, the draws made for each point.
struct SweepDefinition {
  Json scenario;                 // the base scenario, an accepted scenario document
  std::vector<VaryEntry> vary;   // in the sweep file's key order
  std::uint64_t seed = 0;
  std::uint64_t samples = 1;
};

inline bool isGridAxis(const VaryEntry& entry) { return entry.kind == VaryKind::list; }

}  // namespace substitute_host::sweep

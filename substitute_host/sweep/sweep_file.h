#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "sweep/sweep_definition.h"

namespace substitute_host::sweep {

// A sweep file (JSON):
//   {"scenario": "path, relative to the sweep file" or {an inline scenario},
//    "vary": {"DOTTED.KEY": [list] | {"from": a, "to": b, "count": n}
//                           | {"uniform": [low, high]} | {"normal": [mean, sd]}, ...},
//    "samples": draws per grid point (default 1), "seed": whole number (default 0)}
struct SweepParse {
  SweepDefinition sweep;
  std::string error;        // "sweep: <where>: <why>"; empty when accepted
  bool unreadable = false;  // the file could not be read, as opposed to refused
  bool ok() const { return error.empty(); }
};

// Validates the whole document, the scenario it names among it, before accepting any of
// it; a scenario path is taken relative to `folder`. Never throws.
SweepParse parseSweep(std::string_view jsonText, const std::filesystem::path& folder);
SweepParse loadSweepFile(const std::string& path);

// The document already parsed; throws the scenario parser's Refusal. For readers of
// documents that hold a sweep (the plan).
SweepDefinition sweepFromDocument(const Json& document, const std::filesystem::path& folder);

}  // namespace substitute_host::sweep

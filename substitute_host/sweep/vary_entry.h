#pragma once

#include <string>

#include "sweep/sweep_definition.h"

namespace substitute_host::sweep {

// The most values one range or list may give, and the most draws per grid point: far
// beyond any sweep, short of sizes that exhaust memory before the run limit speaks.
inline constexpr std::uint64_t kMaxAxisValues = 1000000;

// One entry under "vary", its values checked (the key is checked by the caller); throws
// the scenario parser's Refusal naming `path`.
VaryEntry parseVaryEntry(const std::string& key, const Json& value, const std::string& path);

}  // namespace substitute_host::sweep

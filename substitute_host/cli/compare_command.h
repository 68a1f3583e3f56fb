#pragma once

#include <CLI/CLI.hpp>

#include "subcommand.h"

namespace substitute_host {

// Registers `compare A B [--columns NAMES] [--tolerance-ulp N] [--ignore-zero-sign]
// [-o REPORT]`: compares two CSV files column by column, as singles. Exit status 0
// when every pair lies within the tolerance, 1 when not, 2 when the files cannot be
// compared or the report not written.
Subcommand addCompareCommand(CLI::App& app);

}  // namespace substitute_host

#pragma once

#include "subcommand.h"

namespace substitute_host {

// corvalent2 sweep plan|run|gather|local|scenario: many closed-loop runs from one sweep
// file, each in a freshly loaded block, gathered into one table.
Subcommand addSweepCommand(CLI::App& app);

}  // namespace substitute_host

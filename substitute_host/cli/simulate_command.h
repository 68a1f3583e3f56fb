#pragma once

#include "subcommand.h"

namespace substitute_host {

// corvalent2 simulate [SCENARIO.json] [-o DIR]: the closed-loop vehicle simulation with
// the block loaded from the plug-in module, installed and stepped as the host does.
Subcommand addSimulateCommand(CLI::App& app);

}  // namespace substitute_host

#pragma once

#include "subcommand.h"

namespace corvalent2 {

// corvalent2 simulate [SCENARIO.json] [-o DIR]: the closed-loop vehicle simulation with
// the block loaded from the plug-in module, installed and stepped as the host does.
Subcommand addSimulateCommand(CLI::App& app);

}  // namespace corvalent2

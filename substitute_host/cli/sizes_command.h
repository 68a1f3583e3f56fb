#pragma once

#include "subcommand.h"

namespace substitute_host {

// corvalent2 sizes [--module PATH]: the sizes vector of a command-line query, one entry
// per line.
Subcommand addSizesCommand(CLI::App& app);

}  // namespace substitute_host

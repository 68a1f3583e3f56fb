#pragma once

#include "subcommand.h"

namespace corvalent2 {

// corvalent2 sizes [--module PATH]: the sizes vector of a command-line query, one entry
// per line.
Subcommand addSizesCommand(CLI::App& app);

}  // namespace corvalent2

#pragma once

#include <CLI/CLI.hpp>

#include "subcommand.h"

namespace substitute_host {

// Registers `replay [IN] [-o OUT]`: runs an input CSV through the controller.
Subcommand addReplayCommand(CLI::App& app);

}  // namespace substitute_host

#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace substitute_host {

// The --module option of the subcommands that load the plug-in.
CLI::Option* addModuleOption(CLI::App& command, std::string& path);

// The path given, or the module next to this executable.
std::string modulePathOrDefault(const std::string& path);

}  // namespace substitute_host

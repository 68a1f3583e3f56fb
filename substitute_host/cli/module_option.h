#pragma once

#include <string>

#include <CLI/CLI.hpp>

namespace corvalent2 {

// The --module option of the subcommands that load the plug-in.
CLI::Option* addModuleOption(CLI::App& command, std::string& path);

// The path given, or the module next to this executable.
std::string modulePathOrDefault(const std::string& path);

}  // namespace corvalent2

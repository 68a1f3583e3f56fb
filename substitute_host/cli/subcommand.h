#pragma once

#include <CLI/CLI.hpp>
#include <functional>

namespace substitute_host {

// Exit statuses of the corvalent2 tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // failed midway for want of the environment: a write, memory
inline constexpr int kExitUsage = 2;   // the caller is at fault: bad arguments, a file that
                                       // cannot be opened, an input that is not valid

// What a subcommand's add...Command function hands back to main: its parser, to see
// whether it was chosen, and how to run it once the command line has been parsed.
struct Subcommand {
  CLI::App* parser = nullptr;
  std::function<int()> run;
};

}  // namespace substitute_host

// corvalent2: the substitute host's command-line tool. Each subcommand registers itself
// through its own add...Command function; main only parses and dispatches.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <vector>

#include "checked_output.h"
#include "compare_command.h"
#include "replay_command.h"
#include "simulate_command.h"
#include "sizes_command.h"
#include "subcommand.h"
#ifdef CORVALENT2_SWEEPS
#include "sweep_command.h"
#endif
#include "text/display_text.h"

namespace {
constexpr std::size_t kShownUsageErrorBytes = 1000;
}  // namespace

int main(int argc, char** argv) {
  using namespace substitute_host;
  holdClosedStandardStreams();

  CLI::App app{
      "Corvalent2 substitute host: runs the two-motor drive controller outside the "
      "simulation host.",
      "corvalent2"};
  app.require_subcommand(0, 1);
  // Paths are paths on every platform: on Windows, "/data/in.csv" is a file (a path from
  // the current drive's root), not an option. Subcommands take this from the app when
  // they are added, so it comes first.
  app.allow_windows_style_options(false);

  std::vector<Subcommand> subcommands;
  subcommands.push_back(addReplayCommand(app));
  subcommands.push_back(addSizesCommand(app));
  subcommands.push_back(addSimulateCommand(app));
  subcommands.push_back(addCompareCommand(app));
#ifdef CORVALENT2_SWEEPS
  subcommands.push_back(addSweepCommand(app));
#endif

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // --help is a ParseError with status 0; every real parse error is a usage error. Its
    // message may quote the arguments: shown escaped and cut, as any text from outside.
    if (error.get_exit_code() != 0) {
      std::fprintf(stderr, "%s\nRun with --help for more information.\n",
                   displayText(error.what(), kShownUsageErrorBytes).c_str());
      return kExitUsage;
    }
    app.exit(error);
    return standardOutputWritten("help") ? kExitOk : kExitFailed;
  }

  for (const Subcommand& subcommand : subcommands) {
    if (subcommand.parser->parsed()) return subcommand.run();
  }
  // Nothing to do is a usage error too; show what there is to do.
  std::fputs(app.help().c_str(), stderr);
  return kExitUsage;
}

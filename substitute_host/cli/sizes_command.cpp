#include "sizes_command.h"

#include <cstdio>
#include <memory>

#include "checked_output.h"
#include "loader/host_calls.h"
#include "module_option.h"

namespace substitute_host {
namespace {

int runSizes(const std::string& modulePath) {
  PluginModule module;
  std::string error;
  if (!loadPluginModule(modulePathOrDefault(modulePath), module, error)) {
    std::fprintf(stderr, "corvalent2 sizes: %s\n", error.c_str());
    return kExitUsage;
  }
  const GatewayOutcome outcome = querySizes(module);
  int status = kExitOk;
  if (outcome.raisedError || outcome.results.empty()) {
    std::fprintf(stderr, "corvalent2 sizes: the query raised %s\n", outcome.errorId.c_str());
    status = kExitFailed;
  } else {
    for (double entry : valuesOf(outcome.results[0].get())) std::printf("%.0f\n", entry);
    if (!standardOutputWritten("sizes")) status = kExitFailed;
  }
  unloadPluginModule(module);
  return status;
}

}  // namespace

Subcommand addSizesCommand(CLI::App& app) {
  auto modulePath = std::make_shared<std::string>();
  CLI::App* sizes = app.add_subcommand(
      "sizes",
      "Ask the plug-in module for its sizes vector, as a command-line query does, "
      "and print its 40 entries, one per line.");
  addModuleOption(*sizes, *modulePath);
  return Subcommand{sizes, [modulePath] { return runSizes(*modulePath); }};
}

}  // namespace substitute_host

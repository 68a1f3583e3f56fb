#include "sizes_command.h"

#include <cstdio>
#include <memory>

#include "loader/host_calls.h"
#include "module_option.h"

namespace corvalent2 {
namespace {

int runSizes(const std::string& modulePath) {
  substitute_host::PluginModule module;
  std::string error;
  if (!substitute_host::loadPluginModule(modulePathOrDefault(modulePath), module, error)) {
    std::fprintf(stderr, "corvalent2 sizes: %s\n", error.c_str());
    return kExitUsage;
  }
  const substitute_host::GatewayOutcome outcome = substitute_host::querySizes(module);
  int status = kExitOk;
  if (outcome.raisedError || outcome.results.empty()) {
    std::fprintf(stderr, "corvalent2 sizes: the query raised %s\n", outcome.errorId.c_str());
    status = kExitFailed;
  } else {
    for (double entry : substitute_host::valuesOf(outcome.results[0].get()))
      std::printf("%.0f\n", entry);
  }
  substitute_host::unloadPluginModule(module);
  return status;
}

}  // namespace

Subcommand addSizesCommand(CLI::App& app) {
  auto modulePath = std::make_shared<std::string>();
  CLI::App* sizes = app.add_subcommand(
      "sizes", "Ask the plug-in module for its sizes vector, as a command-line query does, "
               "and print its 40 entries, one per line.");
  addModuleOption(*sizes, *modulePath);
  return Subcommand{sizes, [modulePath] { return runSizes(*modulePath); }};
}

}  // namespace corvalent2

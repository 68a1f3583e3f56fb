#include "module_option.h"

#include "checked_output.h"
#include "loader/plugin_module.h"

namespace substitute_host {

CLI::Option* addModuleOption(CLI::App& command, std::string& path) {
  return command
      .add_option("--module", path,
                  std::string("The plug-in module to load (default: ") + pluginFileName() +
                      " next to this executable).")
      ->check(nonEmptyPath());
}

std::string modulePathOrDefault(const std::string& path) {
  return path.empty() ? pluginPathNextToExecutable() : path;
}

}  // namespace substitute_host

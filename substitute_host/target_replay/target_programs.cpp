#include "target_replay/target_programs.h"

#include <array>

namespace substitute_host {
namespace {

constexpr std::array<TargetProgram, 3> kTargets = {{
    {"aarch64", "runner", "qemu-aarch64", "qemu-user", ""},
    {"cortex-m7", "runner.elf", "qemu-system-arm", "qemu-system-arm", "mps2-an500"},
    {"cortex-m4f", "runner.elf", "qemu-system-arm", "qemu-system-arm", "mps2-an386"},
}};

}  // namespace

const TargetProgram* findTarget(std::string_view name) {
  for (const TargetProgram& target : kTargets)
    if (target.name == name) return &target;
  return nullptr;
}

std::vector<std::string> targetNames() {
  std::vector<std::string> names;
  for (const TargetProgram& target : kTargets) names.emplace_back(target.name);
  return names;
}

std::vector<std::string> emulatorCommand(const TargetProgram& target,
                                         const std::string& runnerPath) {
  if (target.board.empty()) return {std::string(target.emulator), runnerPath};
  // No display, serial port or monitor: the runner speaks through semihosting alone,
  // and its files are opened by name in QEMU's current folder.
  return {std::string(target.emulator), "-M", std::string(target.board), "-display", "none",
          "-serial", "null", "-monitor", "none", "-semihosting-config",
          "enable=on,target=native", "-kernel", runnerPath};
}

}  // namespace substitute_host

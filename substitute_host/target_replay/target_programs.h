#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace substitute_host {

// A processor the controller is cross-built for, and how its row runner is started
// under QEMU: user-mode emulation for AArch64 Linux, a board with semihosting for the
// Cortex-M targets. The runner reads rows.in and writes rows.out in its current folder.
struct TargetProgram {
  std::string_view name;        // as given to `replay --target`, and in build-<name>/
  std::string_view runnerFile;  // the runner in the target's build folder
  std::string_view emulator;    // the QEMU program, looked up along PATH
  std::string_view package;     // the Debian package that installs it
  std::string_view board;       // QEMU's machine for a bare-metal runner; empty for Linux
};

// The target of that name; null for none.
const TargetProgram* findTarget(std::string_view name);

// The names findTarget knows, for help and messages: "aarch64, cortex-m7, cortex-m4f".
std::vector<std::string> targetNames();

// The emulator's command line that runs the runner at runnerPath.
std::vector<std::string> emulatorCommand(const TargetProgram& target, const std::string& runnerPath);

}  // namespace substitute_host

#include "target_replay/target_replay.h"

#include <new>

#include "target_replay/program_run.h"
#include "target_replay/row_files.h"

namespace substitute_host {
namespace {

using Status = ReplayOutcome::Status;

// The runner's exit statuses (targets/row_runner.cpp, targets/cortex_m/startup.c).
std::string runnerFailure(int status) {
  switch (status) {
    case 3: return "the target program could not open its row files";
    case 4: return "the target program failed reading or writing its rows";
    case 5: return "the target's floating-point control has flush-to-zero or default-NaN set";
    case 6: return "the target program faulted";
    default: return "the target program ended with status " + std::to_string(status);
  }
}

ReplayOutcome runTarget(const TargetProgram& target, const std::string& runnerPath,
                        const std::filesystem::path& folder) {
  const ProgramRun run = runInFolder(emulatorCommand(target, runnerPath), folder);
  if (run.notFound)
    return {Status::targetMissing, 0,
            std::string(target.emulator) + " not found: install the Debian package " +
                std::string(target.package) + " (scripts/install-deps targets)"};
  if (!run.started || !run.error.empty())
    return {Status::targetFailed, 0, std::string(target.emulator) + ": " + run.error};
  if (run.exitStatus != 0) return {Status::targetFailed, 0, runnerFailure(run.exitStatus)};
  return {Status::ok, 0, {}};
}

ReplayOutcome replay(std::FILE* in, std::FILE* out, const TargetProgram& target,
                     const std::string& runnerPath) {
  const ScratchFolder scratch;
  if (scratch.path().empty())
    return {Status::targetFailed, 0, "no folder for the target's rows: " + scratch.error()};
  const ReplayOutcome inputs = writeInputRows(in, scratch.path() / "rows.in");
  if (inputs.status != Status::ok) return inputs;
  const ReplayOutcome ran = runTarget(target, runnerPath, scratch.path());
  if (ran.status != Status::ok) return ran;
  return writeOutputCsv(scratch.path() / "rows.out", inputs.rowsWritten, out);
}

}  // namespace

ReplayOutcome replayOnTarget(std::FILE* in, std::FILE* out, const TargetProgram& target,
                             const std::string& runnerPath) noexcept {
  try {
    return replay(in, out, target, runnerPath);
  } catch (const std::bad_alloc&) {
    return ReplayOutcome{Status::outOfMemory, 0, {}};
  }
}

}  // namespace substitute_host

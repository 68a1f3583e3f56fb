#include "target_replay/program_run.h"

namespace substitute_host {

// The emulators the targets run under are started on Linux only.
ProgramRun runInFolder(const std::vector<std::string>& /*command*/,
                       const std::filesystem::path& /*folder*/) {
  return {false, false, -1, "this build of the tool cannot start the emulator (Linux only)"};
}

ScratchFolder::ScratchFolder() : error_("no scratch folder for a target on this platform") {}
ScratchFolder::~ScratchFolder() = default;

}  // namespace substitute_host

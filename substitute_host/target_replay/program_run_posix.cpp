#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "process/child_end.h"
#include "target_replay/program_run.h"

extern char** environ;

namespace substitute_host {
namespace {

// Standard input from /dev/null, standard output onto standard error, then the folder.
bool prepareActions(posix_spawn_file_actions_t& actions, const std::filesystem::path& folder) {
  return posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0) == 0 &&
         posix_spawn_file_actions_adddup2(&actions, 2, 1) == 0 &&
         posix_spawn_file_actions_addchdir_np(&actions, folder.c_str()) == 0;
}

ProgramRun waitFor(pid_t pid) {
  const ChildEnd end = waitForChild(pid);
  return {true, false, end.exitStatus, end.error};
}

}  // namespace

ProgramRun runInFolder(const std::vector<std::string>& command,
                       const std::filesystem::path& folder) {
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return {false, false, -1, "out of memory"};
  pid_t pid = 0;
  int error = prepareActions(actions, folder) ? 0 : ENOMEM;
  if (error == 0) error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return {false, error == ENOENT, -1, std::strerror(error)};
  return waitFor(pid);
}

ScratchFolder::ScratchFolder() {
  std::error_code ec;
  const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
  if (ec) {
    error_ = ec.message();
    return;
  }
  std::string name = (base / "corvalent2-target-XXXXXX").string();
  if (mkdtemp(name.data()) == nullptr) {
    error_ = std::strerror(errno);
    return;
  }
  path_ = name;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;  // a folder that cannot be removed is left; nothing depends on it
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

}  // namespace substitute_host

#include "simulate/external_program.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#if defined(_WIN32)
#include <direct.h>
#include <io.h>
#include <process.h>

#include <cstdio>
#else
#include <spawn.h>
#include <unistd.h>

#include "process/child_end.h"

extern char** environ;
#endif

namespace substitute_host::simulate {

#if defined(_WIN32)
constexpr char kPathSeparator = ';';
constexpr const char* kExecutableSuffix = ".exe";
static bool isExecutable(const std::string& path) { return ::_access(path.c_str(), 0) == 0; }
#else
constexpr char kPathSeparator = ':';
constexpr const char* kExecutableSuffix = "";
static bool isExecutable(const std::string& path) { return ::access(path.c_str(), X_OK) == 0; }
#endif

std::string findOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return {};
  std::istringstream dirs(path);
  std::string dir;
  while (std::getline(dirs, dir, kPathSeparator)) {
    if (dir.empty()) continue;
    const std::string candidate = dir + "/" + program + kExecutableSuffix;
    if (isExecutable(candidate)) return candidate;
  }
  return {};
}

#if defined(_WIN32)
// The spawn functions start the child in the caller's working folder, so the caller
// moves there for the child's run and back.
std::string runInDirectory(const std::string& program, const std::string& argument,
                           const std::string& directory) {
  char previous[4096];
  if (::_getcwd(previous, sizeof previous) == nullptr || ::_chdir(directory.c_str()) != 0)
    return "cannot enter " + directory + ": " + std::strerror(errno);
  const std::string quotedArgument = "\"" + argument + "\"";
  const intptr_t status =
      ::_spawnl(_P_WAIT, program.c_str(), program.c_str(), quotedArgument.c_str(), nullptr);
  const int spawnError = errno;
  (void)::_chdir(previous);
  if (status < 0) return program + " could not be started: " + std::strerror(spawnError);
  if (status != 0) return program + " exited with status " + std::to_string(status);
  return {};
}

bool standardErrorIsTerminal() { return ::_isatty(::_fileno(stderr)) != 0; }
#else
std::string runInDirectory(const std::string& program, const std::string& argument,
                           const std::string& directory) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  std::vector<char*> argv = {const_cast<char*>(program.c_str()),
                             const_cast<char*>(argument.c_str()), nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return program + " could not be started: " + std::strerror(spawned);
  const ChildEnd end = waitForChild(pid);
  if (end.exitStatus == 0) return {};
  if (end.exitStatus > 0) return program + " exited with status " + std::to_string(end.exitStatus);
  return program + ": " + end.error;
}

bool standardErrorIsTerminal() { return ::isatty(STDERR_FILENO) != 0; }
#endif

}  // namespace substitute_host::simulate

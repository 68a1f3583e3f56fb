#include "sweep/child_run.h"

#include "process/child_end.h"

#include <fcntl.h>
#include <spawn.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace substitute_host::sweep {

namespace {

bool prepareStreams(posix_spawn_file_actions_t& actions, const std::string& errorPath) {
  return posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0) == 0 &&
         posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0) == 0 &&
         posix_spawn_file_actions_addopen(&actions, 2, errorPath.c_str(),
                                          O_WRONLY | O_CREAT | O_TRUNC, 0600) == 0;
}

ChildOutcome waitFor(pid_t pid) {
  const ChildEnd end = waitForChild(pid);
  return {true, end.exitStatus, end.error, end.signal};
}

}  // namespace

ChildOutcome runChild(const std::vector<std::string>& argv, const std::filesystem::path& errorPath) {
  std::vector<char*> words;
  for (const std::string& word : argv) words.push_back(const_cast<char*>(word.c_str()));
  words.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return {false, -1, "out of memory"};
  pid_t pid = 0;
  int error = prepareStreams(actions, errorPath.string()) ? 0 : ENOMEM;
  if (error == 0) error = posix_spawn(&pid, words[0], &actions, nullptr, words.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return {false, -1, std::string("it could not start: ") + std::strerror(error)};
  return waitFor(pid);
}

}  // namespace substitute_host::sweep

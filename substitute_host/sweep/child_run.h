#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace substitute_host::sweep {

struct ChildOutcome {
  bool started = false;
  int exitStatus = -1;  // when it exited
  std::string failure;  // why it did not start or did not exit normally
  int signal = 0;       // the signal that ended it, if one did
};

// Starts argv[0] with these arguments (an argument vector, never a shell line), its
// standard input and output on /dev/null and its standard error into errorPath, and
// waits for it. Every run of a sweep goes through here: a process of its own loads
// the block afresh, from the state the block starts in.
ChildOutcome runChild(const std::vector<std::string>& argv, const std::filesystem::path& errorPath);

}  // namespace substitute_host::sweep

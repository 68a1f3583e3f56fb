#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace substitute_host {

// How a program started by runInFolder ended.
struct ProgramRun {
  bool started = false;  // false: it could not be started, and error says why
  bool notFound = false; // not started because no such program lies along PATH
  int exitStatus = -1;   // its exit status; -1 when it was ended by a signal
  std::string error;
};

// Runs command (the program, looked up along PATH, and its arguments, each passed as it
// is, never through a shell) in folder and waits for it. Its standard input reads
// nothing and its standard output goes to this process's standard error, so that what
// it says never mixes with an output on standard output.
ProgramRun runInFolder(const std::vector<std::string>& command, const std::filesystem::path& folder);

// A new folder of this process's own under the system's temporary folder, removed with
// everything in it when the object goes; path() is empty, and error() says why, when
// none could be made.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  const std::string& error() const { return error_; }

 private:
  std::filesystem::path path_;
  std::string error_;
};

}  // namespace substitute_host

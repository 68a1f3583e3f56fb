#pragma once

#include <filesystem>
#include <thread>

namespace substitute_host::matfile_out {

// The file that a finished output replaces under its name. Replacing it drops its last
// name, and the system then gives back its storage there and then: for a log of some
// megabytes, longer than closing the new file. Held across the rename, the old file is
// let go afterwards on a thread of its own, while the command goes on with its plot and
// summary. Only a plain file is held; anything else is replaced as before. Never throws.
class EarlierFile {
 public:
  EarlierFile() = default;
  EarlierFile(const EarlierFile&) = delete;
  EarlierFile& operator=(const EarlierFile&) = delete;
  ~EarlierFile();  // waits until the old file is let go

  // Before the rename: takes hold of the plain file at path, if there is one.
  void hold(const std::filesystem::path& path);
  // After the rename (or when it failed): lets go of what hold took.
  void letGo();

 private:
  int held_ = -1;
  std::thread releaser_;
};

}  // namespace substitute_host::matfile_out

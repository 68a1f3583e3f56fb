#pragma once

#include <filesystem>
#include <system_error>
#include <thread>

namespace substitute_host::matfile_out {

// Gives a finished file its final name, in one step that readers see whole: the name
// leads to the earlier file until it leads to the finished one.
//
// Renaming over an earlier file makes the system give back the earlier file's storage,
// and some file systems start writing the new file out, inside the rename: for a log of
// some megabytes, longer than closing it. Where the system can, the two files instead
// swap names in one step, and the earlier file, now under the hidden name, is removed on
// a thread of its own while the command goes on. Never throws.
class FinalName {
 public:
  FinalName() = default;
  FinalName(const FinalName&) = delete;
  FinalName& operator=(const FinalName&) = delete;
  ~FinalName();  // waits until the earlier file is removed

  // Moves the file at hidden to final; false with error set when it could not.
  bool give(const std::filesystem::path& hidden, const std::filesystem::path& final,
            std::error_code& error);

 private:
  void removeInBackground(const std::filesystem::path& earlier);

  std::thread remover_;
};

}  // namespace substitute_host::matfile_out

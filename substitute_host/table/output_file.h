#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace substitute_host {

// Creates a new file for writing, refusing one that exists; null with errno set when it
// cannot. The way OutputFile creates its file unless given another.
std::FILE* createNewFile(const std::filesystem::path& path);

// The file an output named path goes to: a symbolic link's target (a link that leads
// nowhere is replaced itself).
std::filesystem::path outputTarget(const std::string& path);

// The hidden name beside finalPath that holds its output until complete, in the same
// folder so that the final rename stays within one file system, and named after the
// output and this process so that a leftover tells its origin:
// ".NAME.<process>-<attempt>.part".
std::filesystem::path temporaryNameBeside(const std::filesystem::path& finalPath,
                                          unsigned attempt);

// Flushes and closes stream, checking both and the stream's error flag, which an
// earlier failed write leaves; false with errorNumber set when any of them failed. The
// stream is closed either way.
bool closeChecked(std::FILE* stream, int& errorNumber);

// An output file that appears under its name complete or not at all. What is written
// goes to a new file beside it, which takes the name only once the last write, the
// flush and the close succeeded; a command that fails leaves no partial output, and a
// file of that name from before stays as it was. A path that names no regular file
// (a device such as /dev/null, a pipe) is written directly: there is nothing to replace.
class OutputFile {
 public:
  using Creator = std::FILE* (*)(const std::filesystem::path& path);

  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // What was not committed is abandoned.
  ~OutputFile() { abandon(); }

  // Opens the output for path (a symbolic link: for the file it leads to); false, with
  // error() saying why, when it cannot be written there. A folder of that name, or a
  // file the user may not write, is refused before anything is written.
  bool open(const std::string& path, Creator createNew = createNewFile);
  std::FILE* stream() const { return stream_; }

  // Flushes and closes the stream, checking each step, then gives the file its name.
  // False, with error() saying why, when a step failed; nothing is left behind then.
  bool commit();
  // Closes the stream and removes what was written: for a command that failed.
  void abandon();

  // Why open or commit failed, in the system's words (e.g. "No space left on device").
  const std::string& error() const { return error_; }

 private:
  bool openBeside(Creator createNew, const std::filesystem::file_status& existing);
  bool fail(const std::error_code& error);
  void removeTemporary();

  std::FILE* stream_ = nullptr;
  std::filesystem::path finalPath_;
  std::filesystem::path temporaryPath_;  // empty when written directly
  std::string error_;
};

}  // namespace substitute_host

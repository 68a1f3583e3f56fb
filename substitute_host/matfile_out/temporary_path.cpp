#include "matfile_out/temporary_path.h"

#include "table/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace substitute_host::matfile_out {

namespace fs = std::filesystem;

namespace {

// Whether the user may write the file there is: replacing it must not bypass that.
bool mayWrite(const fs::path& path) { return ::access(path.c_str(), W_OK) == 0; }

std::string reason(int error) { return std::generic_category().message(error); }

bool checkFinal(const fs::path& finalPath, std::string& error) {
  std::error_code ec;
  const fs::file_status existing = fs::status(finalPath, ec);
  switch (existing.type()) {
    case fs::file_type::not_found:
      return true;
    case fs::file_type::regular:
      if (mayWrite(finalPath)) return true;
      error = reason(errno != 0 ? errno : EACCES);
      return false;
    case fs::file_type::directory:
      error = reason(EISDIR);
      return false;
    case fs::file_type::none:
      error = ec.message();
      return false;
    default:
      error = "not a regular file: a MAT file is written by seeking within it";
      return false;
  }
}

}  // namespace

bool reserveTemporary(const std::string& path, PlacedOutput& placed, std::string& error) {
  placed.finalPath = outputTarget(path);
  placed.temporaryPath.clear();
  if (!checkFinal(placed.finalPath, error)) return false;
  constexpr unsigned kAttempts = 100;
  for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
    const fs::path candidate = temporaryNameBeside(placed.finalPath, attempt);
    errno = 0;
    const int fd = ::open(candidate.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);  // empty: nothing written that a failed close could lose
      placed.temporaryPath = candidate;
      return true;
    }
    // Only a name taken already, by a leftover or another run, is worth another try.
    if (errno != EEXIST) break;
  }
  error = reason(errno != 0 ? errno : EEXIST);
  return false;
}

void removeTemporary(PlacedOutput& placed) {
  if (placed.temporaryPath.empty()) return;
  std::error_code ignored;
  fs::remove(placed.temporaryPath, ignored);
  placed.temporaryPath.clear();
}

}  // namespace substitute_host::matfile_out

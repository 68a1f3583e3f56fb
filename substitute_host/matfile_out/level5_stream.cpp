#include "matfile_out/level5_stream.h"

#include <fcntl.h>
#include <matio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <system_error>
#include <utility>

namespace substitute_host::matfile_out {

Level5StreamFile::~Level5StreamFile() { abandon(); }

bool Level5StreamFile::fail(const std::string& what) {
  const int cause = errno;
  if (!failed_) error_ = cause != 0 ? what + ": " + std::strerror(cause) : what;
  failed_ = true;
  return false;
}

bool Level5StreamFile::writeAt(std::uint64_t offset, const void* bytes, std::size_t count) {
  const auto* from = static_cast<const unsigned char*>(bytes);
  while (count > 0) {
    errno = 0;
    const ssize_t written = ::pwrite(fd_, from, count, static_cast<off_t>(offset));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return fail("writing the MAT file failed");
    from += written;
    offset += static_cast<std::uint64_t>(written);
    count -= static_cast<std::size_t>(written);
  }
  return true;
}

bool Level5StreamFile::open(const std::string& path, const std::vector<Level5Variable>& variables) {
  abandon();
  error_.clear();
  failed_ = false;
  try {
    if (!planLevel5(variables, plan_, error_)) return false;
    names_.clear();
    for (const Level5Variable& v : variables) names_.push_back(v.name);
  } catch (const std::bad_alloc&) {
    error_ = "out of memory laying out the MAT file";
    return false;
  }
  if (!reserveTemporary(path, placed_, error_)) return false;
  errno = 0;
  fd_ = ::open(placed_.temporaryPath.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd_ < 0) {
    fail("cannot open the MAT file");
    abandon();
    return false;
  }
  for (const Level5Piece& piece : plan_.pieces) {
    if (!writeAt(piece.offset, piece.bytes.data(), piece.bytes.size())) return false;
  }
  return true;
}

bool Level5StreamFile::write(std::size_t slot, std::size_t column, std::uint64_t firstRow,
                             const void* values, std::size_t count) {
  if (fd_ < 0 || failed_) return false;
  const Level5Slot& s = plan_.slots.at(slot);
  if (column >= s.columns || firstRow + count > s.rows) {
    errno = 0;
    return fail("rows beyond the MAT file's arrays");
  }
  const std::uint64_t at = s.offset + (std::uint64_t{column} * s.rows + firstRow) * s.valueBytes;
  return writeAt(at, values, count * s.valueBytes);
}

namespace {

// Whether matio reads every top-level variable of the finished file back.
bool readsBack(const std::filesystem::path& path, const std::vector<std::string>& names) {
  mat_t* mat = Mat_Open(path.c_str(), MAT_ACC_RDONLY);
  if (mat == nullptr) return false;
  bool ok = true;
  for (const std::string& name : names) {
    matvar_t* info = Mat_VarReadInfo(mat, name.c_str());
    ok = ok && info != nullptr;
    if (info != nullptr) Mat_VarFree(info);
  }
  Mat_Close(mat);
  return ok;
}

}  // namespace

bool Level5StreamFile::commit() {
  if (fd_ < 0) {
    if (error_.empty()) error_ = "the MAT file was not opened";
    return false;
  }
  errno = 0;
  const int closed = ::close(std::exchange(fd_, -1));
  if (closed != 0) fail("closing the MAT file failed");
  errno = 0;
  if (!failed_ && !readsBack(placed_.temporaryPath, names_)) fail("the written MAT file does not read back");
  std::error_code renamed;
  if (!failed_) finalName_.give(placed_.temporaryPath, placed_.finalPath, renamed);
  if (renamed) {
    errno = 0;
    fail(renamed.message());
  }
  if (failed_) {
    abandon();
    return false;
  }
  placed_.temporaryPath.clear();
  return true;
}

void Level5StreamFile::abandon() {
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));  // thrown away: its close no longer matters
  removeTemporary(placed_);
}

}  // namespace substitute_host::matfile_out

#include "table/output_file.h"

#include <fcntl.h>

#include <cerrno>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

namespace substitute_host {
namespace fs = std::filesystem;
namespace {

std::error_code lastError(int fallback) {
  return std::error_code(errno != 0 ? errno : fallback, std::generic_category());
}

long processId() {
#if defined(_WIN32)
  return static_cast<long>(_getpid());
#else
  return static_cast<long>(::getpid());
#endif
}

// Whether the user may write the file there is: replacing it must not bypass that.
bool mayWrite(const fs::path& path) {
  std::FILE* probe = std::fopen(path.string().c_str(), "r+b");
  if (probe == nullptr) return false;
  std::fclose(probe);  // nothing was written: the close cannot lose data
  return true;
}

}  // namespace

fs::path outputTarget(const std::string& path) {
  std::error_code ignored;
  if (!fs::is_symlink(fs::symlink_status(path, ignored))) return path;
  std::error_code error;
  const fs::path target = fs::canonical(path, error);
  return error ? fs::path(path) : target;
}

fs::path temporaryNameBeside(const fs::path& finalPath, unsigned attempt) {
  const std::string name = finalPath.filename().string().substr(0, 100);
  return finalPath.parent_path() /
         ("." + name + "." + std::to_string(processId()) + "-" + std::to_string(attempt) + ".part");
}

std::FILE* createNewFile(const fs::path& path) {
#if defined(_WIN32)
  const int fd =
      ::_wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
  std::FILE* stream = fd < 0 ? nullptr : ::_fdopen(fd, "wb");
  if (fd >= 0 && stream == nullptr) ::_close(fd);
#else
  const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
  std::FILE* stream = fd < 0 ? nullptr : ::fdopen(fd, "wb");
  if (fd >= 0 && stream == nullptr) ::close(fd);
#endif
  return stream;
}

bool closeChecked(std::FILE* stream, int& errorNumber) {
  errno = 0;
  bool ok = std::fflush(stream) == 0 && !std::ferror(stream);
  // A write that failed earlier leaves the error flag, but errno may have moved on since.
  if (!ok) errorNumber = errno != 0 ? errno : EIO;
  errno = 0;
  if (std::fclose(stream) != 0 && ok) {
    ok = false;
    errorNumber = errno != 0 ? errno : EIO;
  }
  return ok;
}

bool OutputFile::fail(const std::error_code& error) {
  error_ = error.message();
  return false;
}

bool OutputFile::open(const std::string& path, Creator createNew) {
  abandon();
  finalPath_ = outputTarget(path);
  std::error_code error;
  const fs::file_status existing = fs::status(finalPath_, error);
  switch (existing.type()) {
    case fs::file_type::not_found:
      return openBeside(createNew, existing);
    case fs::file_type::regular:
      if (!mayWrite(finalPath_)) return fail(lastError(EACCES));
      return openBeside(createNew, existing);
    case fs::file_type::directory:
      return fail(std::make_error_code(std::errc::is_a_directory));
    case fs::file_type::none:
      return fail(error);
    default:
      break;
  }
  errno = 0;
  stream_ = std::fopen(finalPath_.string().c_str(), "wb");
  if (stream_ == nullptr) return fail(lastError(EIO));
  return true;
}

bool OutputFile::openBeside(Creator createNew, const fs::file_status& existing) {
  constexpr unsigned kAttempts = 100;
  for (unsigned attempt = 0; attempt < kAttempts && stream_ == nullptr; ++attempt) {
    temporaryPath_ = temporaryNameBeside(finalPath_, attempt);
    errno = 0;
    stream_ = createNew(temporaryPath_);
    // Only a name taken already, by a leftover or another run, is worth another try.
    if (stream_ == nullptr && errno != EEXIST) break;
  }
  if (stream_ == nullptr) {
    const std::error_code error = lastError(EEXIST);
    temporaryPath_.clear();
    return fail(error);
  }
  std::error_code error;
  if (fs::exists(existing)) {
    // The file takes the place of the one there, with the permissions that one had.
    fs::permissions(temporaryPath_, existing.permissions(), fs::perm_options::replace, error);
  }
  if (error) {
    abandon();
    return fail(error);
  }
  return true;
}

bool OutputFile::commit() {
  if (stream_ == nullptr) return fail(std::make_error_code(std::errc::bad_file_descriptor));
  int closeError = 0;
  const bool closed = closeChecked(stream_, closeError);
  stream_ = nullptr;
  std::error_code error(closeError, std::generic_category());
  if (closed && !temporaryPath_.empty()) fs::rename(temporaryPath_, finalPath_, error);
  if (!closed || error) {
    removeTemporary();
    return fail(error);
  }
  temporaryPath_.clear();
  return true;
}

void OutputFile::abandon() {
  // The output is thrown away: whether its close succeeded no longer matters.
  if (stream_ != nullptr) std::fclose(stream_);
  stream_ = nullptr;
  removeTemporary();
}

void OutputFile::removeTemporary() {
  if (temporaryPath_.empty()) return;
  std::error_code ignored;  // a file that cannot be removed is left, under its hidden name
  fs::remove(temporaryPath_, ignored);
  temporaryPath_.clear();
}

}  // namespace substitute_host

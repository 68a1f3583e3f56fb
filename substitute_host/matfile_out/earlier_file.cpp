#include "matfile_out/earlier_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

namespace substitute_host::matfile_out {

EarlierFile::~EarlierFile() {
  letGo();
  if (releaser_.joinable()) releaser_.join();
}

// A handle on the name alone (O_PATH): it reads nothing and opens no device or pipe, yet
// keeps the file in being after its name is gone.
void EarlierFile::hold(const std::filesystem::path& path) {
  letGo();
  if (releaser_.joinable()) releaser_.join();
#ifdef O_PATH
  const int fd = ::open(path.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return;
  struct stat file {};
  if (::fstat(fd, &file) == 0 && S_ISREG(file.st_mode) && file.st_nlink == 1) {
    held_ = fd;
  } else {
    ::close(fd);  // another name still keeps it, or it is no plain file: nothing to gain
  }
#else
  (void)path;
#endif
}

void EarlierFile::letGo() {
  if (held_ < 0) return;
  if (releaser_.joinable()) releaser_.join();
  const int fd = held_;
  held_ = -1;
  try {
    releaser_ = std::thread([fd] { ::close(fd); });
  } catch (const std::system_error&) {
    ::close(fd);  // no thread to be had: let go here
  }
}

}  // namespace substitute_host::matfile_out

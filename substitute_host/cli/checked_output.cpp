#include "checked_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "text/display_text.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace substitute_host {

bool standardOutputWritten(const char* command) {
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  const int flushErrno = errno;
  if (flushed && !std::ferror(stdout)) return true;
  // A failed write earlier leaves the error flag, but errno may have moved on since.
  const char* why = flushErrno != 0 ? std::strerror(flushErrno) : "a write failed";
  std::fprintf(stderr, "corvalent2 %s: writing standard output failed: %s\n", command, why);
  return false;
}

void holdClosedStandardStreams() {
#if !defined(_WIN32)
  // Lowest numbers first: open() takes the lowest free number, the one found closed.
  for (int stream = 0; stream <= 2; ++stream) {
    if (::fcntl(stream, F_GETFD) == -1 && errno == EBADF) {
      ::open("/dev/null", stream == 0 ? O_WRONLY : O_RDONLY);
    }
  }
#endif
}

CLI::Validator nonEmptyPath() {
  return CLI::Validator(
      [](std::string& path) {
        return path.empty() ? std::string(
                                  "an empty path names no file; use '-' for a standard "
                                  "stream or leave the option out")
                            : std::string();
      },
      "PATH", "NonEmptyPath");
}

std::string shownArgument(const std::string& text) { return displayText(text, 200); }

}  // namespace substitute_host

#include "process/child_end.h"

#include <sys/wait.h>

#include <cerrno>
#include <cstring>

namespace substitute_host {

ChildEnd waitForChild(pid_t pid) {
  ChildEnd end;
  int status = 0;
  pid_t waited;
  do {
    waited = ::waitpid(pid, &status, 0);
  } while (waited < 0 && errno == EINTR);
  if (waited != pid) {
    end.error = std::string("waiting for it failed: ") + std::strerror(errno);
    return end;
  }
  end.waited = true;
  if (WIFEXITED(status)) {
    end.exitStatus = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    end.signal = WTERMSIG(status);
    end.error = "it was ended by signal " + std::to_string(end.signal);
  }
  return end;
}

}  // namespace substitute_host

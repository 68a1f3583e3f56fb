#pragma once

#include <sys/types.h>

#include <string>

namespace substitute_host {

// How a child process ended, as waitpid tells it.
struct ChildEnd {
  bool waited = false;  // false: waiting for it failed, and error says why
  int exitStatus = -1;  // its exit status; -1 when it did not exit by itself
  int signal = 0;       // the signal that ended it, if one did
  std::string error;    // why waiting failed, or which signal ended it
};

// Waits for the child pid to end, through any signal that interrupts the wait (a stop
// request must not leave a child unreaped).
ChildEnd waitForChild(pid_t pid);

}  // namespace substitute_host

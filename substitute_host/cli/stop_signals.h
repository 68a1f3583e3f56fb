#pragma once

#include <csignal>

namespace substitute_host {

// While one lives, SIGINT and SIGTERM no longer end the process but are noted, so that a
// long run can close what it has written before it ends; the handlers there were before
// come back when it goes. One at a time.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // Zero, or the number of the last of the two signals that arrived.
  static const volatile std::sig_atomic_t* flag();

 private:
  using Handler = void (*)(int);
  Handler previousInterrupt_;
  Handler previousTerminate_;
};

}  // namespace substitute_host

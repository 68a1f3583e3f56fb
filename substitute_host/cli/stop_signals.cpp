#include "stop_signals.h"

namespace substitute_host {

namespace {

volatile std::sig_atomic_t stopSignal = 0;

// All a handler may safely do: note the signal for the loop to see.
void noteStop(int signal) { stopSignal = signal; }

}  // namespace

StopSignals::StopSignals() {
  stopSignal = 0;
  previousInterrupt_ = std::signal(SIGINT, noteStop);
  previousTerminate_ = std::signal(SIGTERM, noteStop);
}

StopSignals::~StopSignals() {
  std::signal(SIGINT, previousInterrupt_ == SIG_ERR ? SIG_DFL : previousInterrupt_);
  std::signal(SIGTERM, previousTerminate_ == SIG_ERR ? SIG_DFL : previousTerminate_);
}

const volatile std::sig_atomic_t* StopSignals::flag() { return &stopSignal; }

}  // namespace substitute_host

#pragma once

#include "channel_state.h"

// A copy of the process-wide controller state, for tests and diagnostics that want
// to look at it; nothing outside the drive step can change it. The modulation index is
// the one the last step measured: the snapshot completes the update that the step
// leaves to the next one.
struct ControllerStateSnapshot {
  ChannelState channel1;
  ChannelState channel2;
  float diffMean;
};

ControllerStateSnapshot controllerStateSnapshot();

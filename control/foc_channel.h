#pragma once

#include "foc_channel_signals.h"

inline void focChannelStep(float iqCommand, float speedRef, float ia, float ib, float ic,
                           float theta, float omega, float udc, float vabcNorm[3],
                           ChannelState& state) {
  ChannelSignals unused;
  focChannelStepTraced(iqCommand, speedRef, ia, ib, ic, theta, omega, udc, vabcNorm, state,
                       unused);
}

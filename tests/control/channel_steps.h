#pragma once

#include "control/foc_channel.h"
#include "control/frame_transforms.h"

// The tests' view of a channel and of the rotating-frame transforms, each with its own
// angle as the blocks are described; the controller evaluates the rotation once per
// channel step instead, and these are built from the same pieces.

inline void parkTransform(float alpha, float beta, float theta, float dq[2]) {
  parkRotate(alpha, beta, rotationOf(theta), dq);
}

inline void inverseParkTransform(float d, float q, float theta, float alphaBeta[2]) {
  inverseParkRotate(d, q, rotationOf(theta), alphaBeta);
}

inline void focChannelStepTraced(float iqCommand, float speedRef, float ia, float ib, float ic,
                                 float theta, float omega, float udc, float vabcNorm[3],
                                 ChannelState& state, ChannelSignals& s) {
  focChannelStepRotated(iqCommand, speedRef, ia, ib, ic, rotationOf(theta), omega, udc,
                        vabcNorm, state, s);
}

inline void focChannelStep(float iqCommand, float speedRef, float ia, float ib, float ic,
                           float theta, float omega, float udc, float vabcNorm[3],
                           ChannelState& state) {
  ChannelSignals unused;
  focChannelStepTraced(iqCommand, speedRef, ia, ib, ic, theta, omega, udc, vabcNorm, state,
                       unused);
}

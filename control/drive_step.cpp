#include "drive_step.h"

#include "controller_state.h"
#include "electronic_differential.h"
#include "foc_channel.h"

namespace {
// The controller's memory: one set per loaded library, zero at load, shared by every
// instance of the block and advanced only here.
ChannelState channelState1;
ChannelState channelState2;
float diffMean;
}  // namespace

void driveOutputs(const float* iabc1, const float* theta1, const float* omega1,
                  const float* iabc2, const float* theta2, const float* omega2,
                  const float* udc, const float* iqCommand, const float* steerAngle,
                  float* vabcNorm1, float* vabcNorm2) {
  // The differential's tangent comes first (its speed references are needed midway
  // through each channel), then both rotations in one pass; the two channels' bodies
  // follow without a call between them, so that their independent chains of steps can
  // overlap in the core.
  float speedRef[2];
  electronicDifferential(*omega1, *omega2, *steerAngle, speedRef, diffMean);
  Rotation rotation1, rotation2;
  rotationsOf(*theta1, *theta2, rotation1, rotation2);
  ChannelSignals unused1, unused2;
  focChannelStepRotated(*iqCommand, speedRef[0], iabc1[0], iabc1[1], iabc1[2], rotation1,
                        *omega1, *udc, vabcNorm1, channelState1, unused1);
  focChannelStepRotated(*iqCommand, speedRef[1], iabc2[0], iabc2[1], iabc2[2], rotation2,
                        *omega2, *udc, vabcNorm2, channelState2, unused2);
}

ControllerStateSnapshot controllerStateSnapshot() {
  return {channelState1, channelState2, diffMean};
}

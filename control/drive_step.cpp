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
// The squared magnitude of each motor's last voltage vector. Its modulation index is
// read only by the next step, so that step (or a snapshot) completes the update: the
// long square-root chain then runs beside the next step's trigonometry instead of
// holding up the end of this one. Zero at load completes to the zero state.
float pendingSquare1;
float pendingSquare2;

[[gnu::always_inline]] inline void completeModulationIndexes(ChannelState& state1,
                                                             ChannelState& state2) {
  modulationIndexFromSquare(pendingSquare1, kModIndexFilter, state1.modIndex);
  modulationIndexFromSquare(pendingSquare2, kModIndexFilter, state2.modIndex);
}
}  // namespace

void driveOutputs(const float* iabc1, const float* theta1, const float* omega1,
                  const float* iabc2, const float* theta2, const float* omega2,
                  const float* udc, const float* iqCommand, const float* steerAngle,
                  float* vabcNorm1, float* vabcNorm2) {
  // Every input is read before any output is written.
  const float ia1 = iabc1[0], ib1 = iabc1[1], ic1 = iabc1[2], ia2 = iabc2[0], ib2 = iabc2[1],
              ic2 = iabc2[2], w1 = *omega1, w2 = *omega2, dc = *udc, command = *iqCommand;
  completeModulationIndexes(channelState1, channelState2);
  // The differential's tangent comes first (its speed references are needed midway
  // through each channel), then both rotations in one pass; then each stage of the
  // channels for both motors before the next, so that their independent chains of
  // dependent steps overlap in the core.
  float speedRef[2];
  electronicDifferential(w1, w2, *steerAngle, speedRef, diffMean);
  Rotation rotation1, rotation2;
  rotationsOf(*theta1, *theta2, rotation1, rotation2);
  ChannelSignals s1, s2;
  channelReferences(command, speedRef[0], w1, channelState1, s1);
  channelReferences(command, speedRef[1], w2, channelState2, s2);
  channelCurrents(ia1, ib1, ic1, rotation1, s1);
  channelCurrents(ia2, ib2, ic2, rotation2, s2);
  channelVoltages(w1, channelState1, s1);
  channelVoltages(w2, channelState2, s2);
  channelVoltageOutputs(rotation1, dc, vabcNorm1, pendingSquare1, s1);
  channelVoltageOutputs(rotation2, dc, vabcNorm2, pendingSquare2, s2);
}

ControllerStateSnapshot controllerStateSnapshot() {
  ControllerStateSnapshot snapshot{channelState1, channelState2, diffMean};
  completeModulationIndexes(snapshot.channel1, snapshot.channel2);
  return snapshot;
}

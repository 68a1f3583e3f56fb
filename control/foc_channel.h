#pragma once

#include "channel_state.h"
#include "clamps.h"
#include "current_limit.h"
#include "decoupling.h"
#include "frame_transforms.h"
#include "modulation_index.h"
#include "normalize.h"
#include "parameters.h"
#include "pi_step.h"

// The channel's own literals.
inline constexpr float kFwModIndexRef = 0.95f;   // modulation index that field weakening holds
inline constexpr float kModIndexFilter = 0.02f;  // coefficient of the modulation-index filter
inline constexpr float kSpeedPiLowerFactor = -2.0f;
static_assert(bitsOf(kFwModIndexRef) == 0x3F733333u);
static_assert(bitsOf(kModIndexFilter) == 0x3CA3D70Au);
static_assert(bitsOf(kSpeedPiLowerFactor) == 0xC0000000u);

// Every signal of one channel step, kept so that a test or a diagnostic can look inside
// a step; in the output step the compiler drops what nobody reads.
struct ChannelSignals {
  float iAlphaBeta[2];
  float idq[2];
  float dqRef[2];  // idRef, iqRef
  float iqLimit;
  float speedPi;
  float vdPi;
  float vqPi;
  float vdqFf[2];
  float vdq[2];
  float vAlphaBeta[2];
  float vabc[3];
};

// One step of one motor's field-oriented control, from its phase currents to its
// normalised phase voltages, in four stages, each a short chain of dependent steps. The
// rotation of the doubled rotor angle is the caller's: the drive step evaluates both
// motors' rotations in one pass, then runs each stage for both motors before the next,
// so that the two motors' chains interleave in the core.

// 1. The measured currents in the rotating frame.
[[gnu::always_inline]] inline void channelCurrents(float ia, float ib, float ic,
                                                   Rotation rotation, ChannelSignals& s) {
  clarkeTransform(ia, ib, ic, s.iAlphaBeta);
  parkRotate(s.iAlphaBeta[0], s.iAlphaBeta[1], rotation, s.idq);
}

// 2. The current references. Field weakening acts on the filtered modulation index that
// the previous step left; the speed PI may run to twice the q limit that leaves, and only
// its sum with the command is clamped.
[[gnu::always_inline]] inline void channelReferences(float iqCommand, float speedRef,
                                                     float omega, ChannelState& state,
                                                     ChannelSignals& s) {
  s.dqRef[0] = piStep(kFwModIndexRef, state.modIndex[1], kFwKp, kFwTi, kFwIdMin, kFwIdMax,
                      state.fwIntegrator, kTs);
  s.iqLimit = qCurrentLimit(kCurrentLimit, s.dqRef[0]);
  s.speedPi = piStep(speedRef, omega, kSpeedKp, kSpeedTi, kSpeedPiLowerFactor * s.iqLimit,
                     s.iqLimit + s.iqLimit, state.speedIntegrator, kTs);
  clampedSum(iqCommand, s.speedPi, s.iqLimit, s.dqRef);
}

// 3. The axis voltages: the current PIs plus the cross-coupling feed-forward, clamped.
[[gnu::always_inline]] inline void channelVoltages(float omega, ChannelState& state,
                                                   ChannelSignals& s) {
  s.vdPi = piStep(s.dqRef[0], s.idq[0], kIdKp, kIdTi, kVoltageMin, kVoltageMax,
                  state.idIntegrator, kTs);
  s.vqPi = piStep(s.dqRef[1], s.idq[1], kIqKp, kIqTi, kVoltageMin, kVoltageMax,
                  state.iqIntegrator, kTs);
  decouplingTerms(s.dqRef[0], s.dqRef[1], omega, kRs, kLd, kLq, kPsiPm, s.vdqFf);
  addClampPair(s.vdPi, s.vqPi, s.vdqFf[0], s.vdqFf[1], kVoltageMin, kVoltageMax, s.vdq);
}

// 4. The phase voltages, normalised, and the squared magnitude of the voltage vector,
// whose modulation index the next step's field weakening reads.
[[gnu::always_inline]] inline void channelVoltageOutputs(Rotation rotation, float udc,
                                                         float vabcNorm[3], float& square,
                                                         ChannelSignals& s) {
  inverseParkRotate(s.vdq[0], s.vdq[1], rotation, s.vAlphaBeta);
  inverseClarkeTransform(s.vAlphaBeta[0], s.vAlphaBeta[1], s.vabc);
  square = squaredMagnitude(s.vAlphaBeta[0], s.vAlphaBeta[1]);
  normalizeByHalfDc(s.vabc[0], s.vabc[1], s.vabc[2], udc, vabcNorm);
}

// Stage 4 with the modulation index updated at once.
[[gnu::always_inline]] inline void channelOutputs(Rotation rotation, float udc,
                                                  float vabcNorm[3], ChannelState& state,
                                                  ChannelSignals& s) {
  float square;
  channelVoltageOutputs(rotation, udc, vabcNorm, square, s);
  modulationIndexFromSquare(square, kModIndexFilter, state.modIndex);
}

// The four stages of one motor in turn.
[[gnu::always_inline]] inline void focChannelStepRotated(float iqCommand, float speedRef,
                                                         float ia, float ib, float ic,
                                                         Rotation rotation, float omega,
                                                         float udc, float vabcNorm[3],
                                                         ChannelState& state,
                                                         ChannelSignals& s) {
  channelCurrents(ia, ib, ic, rotation, s);
  channelReferences(iqCommand, speedRef, omega, state, s);
  channelVoltages(omega, state, s);
  channelOutputs(rotation, udc, vabcNorm, state, s);
}

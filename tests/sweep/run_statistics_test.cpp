// The figures a run adds up over its steps: the largest slip, the start of field
// weakening and the energy from the DC link, checked against hand-made steps.
#include <gtest/gtest.h>

#include <cmath>

#include "plant/controller_step.h"
#include "plant/run_statistics.h"
#include "plant/step_record.h"

namespace {

using namespace substitute_host::plant;

// A step with udc 400 V and motor 1 driven with the phase voltages (100, -50, -50) V
// and currents (10, -5, -5) A; motor 2 idle.
StepRecord drivenStep(double time) {
  StepRecord r{};
  r.time = time;
  r.inputs[signalOffset(kInputPorts, 6)] = 400.0f;
  const float currents[3] = {10.0f, -5.0f, -5.0f};
  const float normalised[3] = {0.5f, -0.25f, -0.25f};  // of udc / 2 = 200 V
  for (int k = 0; k < 3; ++k) {
    r.inputs[signalOffset(kInputPorts, 0) + k] = currents[k];
    r.outputs[signalOffset(kOutputPorts, 0) + k] = normalised[k];
  }
  return r;
}

TEST(RunFigures, DcLinkPowerIsTheSumOfPhaseVoltageTimesCurrent) {
  // 100 * 10 + (-50) * (-5) * 2 = 1500 W.
  EXPECT_DOUBLE_EQ(dcLinkPower(drivenStep(0.0).inputs, drivenStep(0.0).outputs), 1500.0);
  // A leg cannot deliver more than its rail: 1.5 of udc / 2 is udc / 2.
  StepRecord r = drivenStep(0.0);
  r.outputs[signalOffset(kOutputPorts, 0)] = 1.5f;
  EXPECT_DOUBLE_EQ(dcLinkPower(r.inputs, r.outputs), 200.0 * 10 + 500.0);
}

// A step's figures with the power of drivenStep.
StepFigures drivenFigures(double time) {
  StepFigures f;
  f.time = time;
  const StepRecord r = drivenStep(time);
  f.dcLinkPower = dcLinkPower(r.inputs, r.outputs);
  return f;
}

TEST(RunFigures, EnergyIsThePowerOfEachStepHeldForTheStep) {
  RunStatistics stats;
  stats.add(PlantState{}, drivenFigures(0.0));
  stats.add(PlantState{}, drivenFigures(kControlStep));
  EXPECT_NEAR(stats.energyFromDcLink, 2 * 1500.0 * kControlStep, 1e-12);
}

TEST(RunFigures, MaxSlipIsTheLargestMagnitudeOfEitherWheel) {
  RunStatistics stats;
  StepFigures f = drivenFigures(0.0);
  f.slip[0] = 0.05;
  f.slip[1] = -0.08;  // braking harder than the other drives
  stats.add(PlantState{}, f);
  f.slip[1] = 0.01;
  stats.add(PlantState{}, f);
  EXPECT_EQ(stats.maxSlip, 0.08);
}

TEST(RunFigures, FieldWeakeningBeginsAtTheFirstStepWithIdBelowTheThreshold) {
  RunStatistics stats;
  for (int k = 0; k < 10; ++k) {
    PlantState s;
    s.motor(1, PlantState::kId) = k >= 6 ? kFieldWeakeningId - 1.0 : kFieldWeakeningId + 1.0;
    s.motor(0, PlantState::kId) = k == 8 ? kFieldWeakeningId - 5.0 : 0.0;
    stats.add(s, drivenFigures(k * kControlStep));
  }
  EXPECT_EQ(stats.fieldWeakeningFrom, 6 * kControlStep);
  RunStatistics never;
  never.add(PlantState{}, drivenFigures(0.0));
  EXPECT_TRUE(std::isnan(never.fieldWeakeningFrom));
}

}  // namespace

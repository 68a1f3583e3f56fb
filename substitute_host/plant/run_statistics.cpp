#include "plant/run_statistics.h"

#include <algorithm>
#include <cmath>

#include "plant/controller_step.h"
#include "plant/inverter.h"

namespace substitute_host::plant {

namespace {

// Where the signals the power needs sit in a record's row of block inputs and outputs.
constexpr int kUdcSignal = signalOffset(kInputPorts, 6);
constexpr int kPhaseCurrentSignal[2] = {signalOffset(kInputPorts, 0),
                                        signalOffset(kInputPorts, 3)};
constexpr int kPhaseVoltageSignal[2] = {signalOffset(kOutputPorts, 0),
                                        signalOffset(kOutputPorts, 1)};
static_assert(kInputPorts[6].name == "udc" && kInputPorts[0].name == "iabc1" &&
              kInputPorts[3].name == "iabc2");

}  // namespace

double dcLinkPower(const StepRecord& r) {
  const double udc = r.inputs[kUdcSignal];
  double power = 0.0;
  for (int m = 0; m < 2; ++m) {
    for (int phase = 0; phase < 3; ++phase) {
      const double voltage = invertPhaseVoltage(r.outputs[kPhaseVoltageSignal[m] + phase], udc);
      power += voltage * r.inputs[kPhaseCurrentSignal[m] + phase];
    }
  }
  return power;
}

void RunStatistics::add(const StepRecord& r) {
  peakSpeed = std::max(peakSpeed, std::abs(r.speed));
  minX = std::min(minX, r.x);
  maxX = std::max(maxX, r.x);
  minY = std::min(minY, r.y);
  maxY = std::max(maxY, r.y);
  for (int m = 0; m < 2; ++m) {
    const auto& motor = r.motor[m];
    peakCurrent[m] = std::max(peakCurrent[m], std::sqrt(motor.id * motor.id + motor.iq * motor.iq));
    minId[m] = std::min(minId[m], motor.id);
    peakModIndex[m] = std::max(peakModIndex[m], motor.modIndex);
    maxSlip = std::max(maxSlip, std::abs(motor.slip));
    if (std::isnan(fieldWeakeningFrom) && motor.id < kFieldWeakeningId) fieldWeakeningFrom = r.time;
  }
  energyFromDcLink += dcLinkPower(r) * kControlStep;
}

}  // namespace substitute_host::plant

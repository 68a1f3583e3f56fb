#include "plant/run_statistics.h"

#include <algorithm>
#include <cmath>

#include "plant/inverter.h"
#include "plant/lanes.h"

namespace substitute_host::plant {

namespace {

// Where the signals the power needs sit in a row of block inputs and outputs.
constexpr int kUdcSignal = signalOffset(kInputPorts, 6);
constexpr int kPhaseCurrentSignal[2] = {signalOffset(kInputPorts, 0),
                                        signalOffset(kInputPorts, 3)};
constexpr int kPhaseVoltageSignal[2] = {signalOffset(kOutputPorts, 0),
                                        signalOffset(kOutputPorts, 1)};
static_assert(kInputPorts[6].name == "udc" && kInputPorts[0].name == "iabc1" &&
              kInputPorts[3].name == "iabc2");

}  // namespace

double dcLinkPower(const float inputs[kInputSignalCount],
                   const float outputs[kOutputSignalCount]) {
  // Each motor in a lane of its own.
  const double udc = inputs[kUdcSignal];
  Pair power{0.0, 0.0};
  for (int phase = 0; phase < 3; ++phase) {
    const Pair normalised{outputs[kPhaseVoltageSignal[0] + phase],
                          outputs[kPhaseVoltageSignal[1] + phase]};
    const Pair current{inputs[kPhaseCurrentSignal[0] + phase],
                       inputs[kPhaseCurrentSignal[1] + phase]};
    power += invertPhaseVoltage(normalised, udc) * current;
  }
  return power[0] + power[1];
}

void RunStatistics::add(const PlantState& s, const StepFigures& f) {
  peakSpeed = std::max(peakSpeed, std::abs(s.speed()));
  minX = std::min(minX, s.posX());
  maxX = std::max(maxX, s.posX());
  minY = std::min(minY, s.posY());
  maxY = std::max(maxY, s.posY());
  const Pair id{s.current(0).d, s.current(1).d}, iq{s.current(0).q, s.current(1).q};
  const Pair amplitude = laneSqrt(id * id + iq * iq);
  for (int m = 0; m < 2; ++m) {
    const Dq i = s.current(m);
    peakCurrent[m] = std::max(peakCurrent[m], amplitude[m]);
    minId[m] = std::min(minId[m], i.d);
    peakModIndex[m] = std::max(peakModIndex[m], f.modIndex[m]);
    maxSlip = std::max(maxSlip, std::abs(f.slip[m]));
    if (std::isnan(fieldWeakeningFrom) && i.d < kFieldWeakeningId) fieldWeakeningFrom = f.time;
  }
  energyFromDcLink += f.dcLinkPower * kControlStep;
}

}  // namespace substitute_host::plant

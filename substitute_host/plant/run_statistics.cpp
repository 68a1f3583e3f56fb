#include "plant/run_statistics.h"

#include <algorithm>
#include <cmath>

namespace substitute_host::plant {

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
  }
}

}  // namespace substitute_host::plant

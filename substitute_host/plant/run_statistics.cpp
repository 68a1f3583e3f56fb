#include "plant/run_statistics.h"

#include <algorithm>
#include <cmath>

namespace substitute_host::plant {

void RunStatistics::add(const PlantState& s, const double modIndex[2]) {
  peakSpeed = std::max(peakSpeed, std::abs(s.speed()));
  minX = std::min(minX, s.posX());
  maxX = std::max(maxX, s.posX());
  minY = std::min(minY, s.posY());
  maxY = std::max(maxY, s.posY());
  for (int m = 0; m < 2; ++m) {
    const Dq i = s.current(m);
    peakCurrent[m] = std::max(peakCurrent[m], std::sqrt(i.d * i.d + i.q * i.q));
    minId[m] = std::min(minId[m], i.d);
    peakModIndex[m] = std::max(peakModIndex[m], modIndex[m]);
  }
}

}  // namespace substitute_host::plant

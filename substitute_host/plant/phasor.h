#pragma once

#include <cmath>

namespace substitute_host::plant {

// cos and sin of one angle.
struct Phasor {
  double c;
  double s;
};

inline Phasor phasorOf(double angle) { return {std::cos(angle), std::sin(angle)}; }

}  // namespace substitute_host::plant

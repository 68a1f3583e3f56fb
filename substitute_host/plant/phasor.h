#pragma once

#include <cmath>

namespace substitute_host::plant {

// cos and sin of one angle.
struct Phasor {
  double c;
  double s;
};

inline Phasor phasorOf(double angle) { return {std::cos(angle), std::sin(angle)}; }

// The rotor turns by at most a few tenths of a radian within one control step, so
// the RK4 stages take the angle's cos and sin by rotating the phasor known at the
// start of the step by the small difference (a short series) instead of calling
// the library functions 24 times a step. Far from the reference it falls back.
inline Phasor phasorNear(const Phasor& reference, double referenceAngle, double angle) {
  const double d = angle - referenceAngle;
  const double ad = std::abs(d);
  if (ad > 0.25) return phasorOf(angle);
  // Taylor series, multiplying by reciprocals to keep divisions out of the innermost
  // loop: to d^8 and d^9 the error stays below 1e-12 for |d| <= 0.25; the heading
  // moves by thousandths of a radian per step, where four terms are exact.
  constexpr double k2 = 1.0 / 2, k3 = 1.0 / 6, k4 = 1.0 / 12, k5 = 1.0 / 20, k6 = 1.0 / 30,
                   k7 = 1.0 / 42, k8 = 1.0 / 56, k9 = 1.0 / 72;
  const double d2 = d * d;
  double cd, sd;
  if (ad < 0.01) {
    cd = 1.0 - d2 * k2 * (1.0 - d2 * k4);
    sd = d * (1.0 - d2 * k3 * (1.0 - d2 * k5));
  } else {
    cd = 1.0 - d2 * k2 * (1.0 - d2 * k4 * (1.0 - d2 * k6 * (1.0 - d2 * k8)));
    sd = d * (1.0 - d2 * k3 * (1.0 - d2 * k5 * (1.0 - d2 * k7 * (1.0 - d2 * k9))));
  }
  return {reference.c * cd - reference.s * sd, reference.s * cd + reference.c * sd};
}

}  // namespace substitute_host::plant

#pragma once

#include <cmath>

#include "control/foc_channel.h"
#include "control/modulation_index.h"
#include "plant/phase_axes.h"

namespace substitute_host::plant {

// The controller's field-weakening measure, rebuilt from its outputs so that it can be
// logged and plotted: the stationary-frame voltage magnitude times the controller's
// scale (about one over its voltage limit), low-passed by the controller's 2 % per
// control step. Field weakening holds the controller's own filtered value at its
// target (kFwModIndexRef).
class ModulationIndexEstimate {
 public:
  // vabcNorm are the controller's normalised outputs; udc the voltage they were
  // normalised with. The inverter's clipping is not included: this is what the
  // controller asked for.
  // Inline: it runs every control step.
  double update(const float* vabcNorm, double udc) {
    const double half = 0.5 * udc;
    const AlphaBeta v = clarke(vabcNorm[0] * half, vabcNorm[1] * half, vabcNorm[2] * half);
    const double raw = std::sqrt(v.alpha * v.alpha + v.beta * v.beta) * kModIndexScale;
    filtered_ += kFilter * (raw - filtered_);
    return filtered_;
  }

  double value() const { return filtered_; }

 private:
  // The controller filters in single precision, with the single nearest 0.02; the
  // estimate works in double and filters with 0.02 itself. The check keeps the two the
  // same coefficient should the controller's ever change.
  static constexpr double kFilter = 0.02;
  static_assert(static_cast<float>(kFilter) == kModIndexFilter);

  double filtered_ = 0.0;
};

}  // namespace substitute_host::plant

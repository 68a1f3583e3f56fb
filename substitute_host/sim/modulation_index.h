#pragma once

#include <cmath>

#include "sim/frame_transforms.h"

namespace substitute_host::sim {

// The controller's field-weakening measure, rebuilt from its outputs so that it can
// be plotted: the stationary-frame voltage magnitude times 0.0049585 (about one
// over the voltage limit), low-passed by 2 % per control step. The controller holds
// the filtered value at 0.95 once field weakening is active.
class ModulationIndexEstimate {
 public:
  static constexpr double kScale = 0.0049585;
  static constexpr double kFilter = 0.02;
  static constexpr double kFieldWeakeningTarget = 0.95;

  // vabcNorm are the controller's normalised outputs; udc the voltage they were
  // normalised with. The inverter's clipping is not included: this is what the
  // controller asked for.
  double update(const float* vabcNorm, double udc) {
    const double half = 0.5 * udc;
    const AlphaBeta v = clarke(vabcNorm[0] * half, vabcNorm[1] * half, vabcNorm[2] * half);
    const double raw = std::sqrt(v.alpha * v.alpha + v.beta * v.beta) * kScale;
    filtered_ += kFilter * (raw - filtered_);
    return filtered_;
  }

  double value() const { return filtered_; }

 private:
  double filtered_ = 0.0;
};

}  // namespace substitute_host::sim

#include "plant/modulation_index_estimate.h"

#include <cmath>

#include "control/foc_channel.h"
#include "control/modulation_index.h"
#include "plant/phase_axes.h"

namespace substitute_host::plant {

namespace {

// The controller filters in single precision, with the single nearest 0.02; the
// estimate works in double and filters with 0.02 itself. The check keeps the two the
// same coefficient should the controller's ever change.
constexpr double kFilter = 0.02;
static_assert(static_cast<float>(kFilter) == kModIndexFilter);

}  // namespace

double ModulationIndexEstimate::update(const float* vabcNorm, double udc) {
  const double half = 0.5 * udc;
  const AlphaBeta v = clarke(vabcNorm[0] * half, vabcNorm[1] * half, vabcNorm[2] * half);
  const double raw = std::sqrt(v.alpha * v.alpha + v.beta * v.beta) * kModIndexScale;
  filtered_ += kFilter * (raw - filtered_);
  return filtered_;
}

}  // namespace substitute_host::plant

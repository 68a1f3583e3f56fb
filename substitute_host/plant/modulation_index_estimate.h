#pragma once

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
  double update(const float* vabcNorm, double udc);

  double value() const { return filtered_; }

 private:
  double filtered_ = 0.0;
};

}  // namespace substitute_host::plant

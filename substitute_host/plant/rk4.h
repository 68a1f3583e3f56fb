#pragma once

#include <cstddef>

namespace substitute_host::plant {

// One classical fourth-order Runge-Kutta step of dx/dt = rates(x). The rates
// function sees only the state: inputs are held constant over the step. State is
// any fixed-size vector with size() and operator[] (rates returns the same type).
// The stages' weighted sum k1 + 2 k2 + 2 k3 + k4 is gathered as they come, in that
// order, so that no stage is kept longer than it is needed.
template <class State, class Rates>
void rk4Step(State& x, double h, const Rates& rates) {
  const std::size_t n = x.size();
  const double half = 0.5 * h;
  State stage, sum;
  State k = rates(x);
  for (std::size_t i = 0; i < n; ++i) {
    sum[i] = k[i];
    stage[i] = x[i] + half * k[i];
  }
  k = rates(stage);
  for (std::size_t i = 0; i < n; ++i) {
    sum[i] += 2.0 * k[i];
    stage[i] = x[i] + half * k[i];
  }
  k = rates(stage);
  for (std::size_t i = 0; i < n; ++i) {
    sum[i] += 2.0 * k[i];
    stage[i] = x[i] + h * k[i];
  }
  k = rates(stage);
  for (std::size_t i = 0; i < n; ++i) x[i] += (h / 6.0) * (sum[i] + k[i]);
}

}  // namespace substitute_host::plant

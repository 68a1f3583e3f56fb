#pragma once

#include <cstddef>

namespace substitute_host::plant {

// One classical fourth-order Runge-Kutta step of dx/dt = rates(x). The rates
// function sees only the state: inputs are held constant over the step. State is
// any fixed-size vector with size() and operator[] (rates returns the same type).
template <class State, class Rates>
void rk4Step(State& x, double h, const Rates& rates) {
  const std::size_t n = x.size();
  auto offset = [&x, n](const State& k, double scale) {
    State y = x;
    for (std::size_t i = 0; i < n; ++i) y[i] += scale * k[i];
    return y;
  };
  const State k1 = rates(x);
  const State k2 = rates(offset(k1, 0.5 * h));
  const State k3 = rates(offset(k2, 0.5 * h));
  const State k4 = rates(offset(k3, h));
  for (std::size_t i = 0; i < n; ++i) {
    x[i] += (h / 6.0) * (k1[i] + 2.0 * k2[i] + 2.0 * k3[i] + k4[i]);
  }
}

}  // namespace substitute_host::plant

#pragma once

#include <array>
#include <cstddef>

namespace corvalent2::sim {

// One classical fourth-order Runge-Kutta step of dx/dt = rates(x). The rates
// function sees only the state: inputs are held constant over the step.
template <std::size_t N, class Rates>
void rk4Step(std::array<double, N>& x, double h, const Rates& rates) {
    using State = std::array<double, N>;
    auto offset = [&x](const State& k, double scale) {
        State y;
        for (std::size_t i = 0; i < N; ++i) y[i] = x[i] + scale * k[i];
        return y;
    };
    const State k1 = rates(x);
    const State k2 = rates(offset(k1, 0.5 * h));
    const State k3 = rates(offset(k2, 0.5 * h));
    const State k4 = rates(offset(k3, h));
    for (std::size_t i = 0; i < N; ++i) {
        x[i] += (h / 6.0) * (k1[i] + 2.0 * k2[i] + 2.0 * k3[i] + k4[i]);
    }
}

}  // namespace corvalent2::sim

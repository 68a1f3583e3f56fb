#pragma once

#include <array>
#include <cstddef>

#include "plant/lanes.h"

namespace substitute_host::plant {

// What the plant integrates within one control step, both motors side by side (one
// lane each). Beside each motor's currents, speed and angle it carries the held
// inverter voltage as the rotor sees it: fixed in the stationary frame, it just turns
// backwards at the electrical speed,
//   d/dt vd = we vq,   d/dt vq = -we vd,
// the same trajectory as the park transform at the integrated angle, without any
// trigonometry in the rates. The body lanes are the speed and the distance travelled
// since the step began, from which the step's arc gives the heading and position.
struct StepState {
  // Per motor: A, A, rad/s and rad (mechanical), V, V; then the body's lanes.
  enum Field { kId, kIq, kOmega, kTheta, kVd, kVq, kBody };
  enum BodyLane { kSpeed, kDistance };  // m/s, m
  static constexpr int kSize = kBody + 1;

  // Left unset on construction: the rates fill every field, four times a substep.
  std::array<Pair, kSize> x;

  // Vector access for the integrator; a state's rate has the same layout.
  static constexpr std::size_t size() { return kSize; }
  Pair& operator[](std::size_t i) { return x[i]; }
  const Pair& operator[](std::size_t i) const { return x[i]; }
};

}  // namespace substitute_host::plant

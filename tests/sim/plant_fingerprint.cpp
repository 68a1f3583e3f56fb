// Prints the bits of every state the plant passes through on a varied run (both motors
// driving and braking, the tyres in and out of their linear range, a steering that
// sweeps both ways, the slow end of the slip's reference speed), as one hash per
// hundred steps. Built twice, at -O0 and at -O3: the two must print the same, or
// something lets the compiler rearrange the plant's arithmetic.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "plant/plant.h"

namespace {

using substitute_host::plant::HeldInputs;
using substitute_host::plant::Plant;
using substitute_host::plant::PlantParams;
using substitute_host::plant::PlantState;

std::uint64_t mixed(std::uint64_t hash, const PlantState& s) {
  for (double v : s.x) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    hash = (hash ^ bits) * 0x100000001b3ULL;
  }
  return hash;
}

// Rotor-frame voltages that swing between driving hard and braking hard, at the
// rotor's angle, and a steering that sweeps left and right.
HeldInputs inputsAt(int step, const Plant::AngleReference& ref) {
  const double t = step * 50e-6;
  const double vq = 60.0 * std::sin(2.0 * t) + 10.0, vd = -15.0 * std::cos(3.0 * t);
  HeldInputs in{};
  for (int m = 0; m < 2; ++m) {
    const double c = ref.rotor[m].c, s = ref.rotor[m].s, q = m == 0 ? vq : 0.9 * vq;
    in.voltage[m] = {c * vd - s * q, s * vd + c * q};
  }
  in.tanSteer = std::tan(0.4 * std::sin(1.5 * t));
  return in;
}

}  // namespace

int main() {
  const Plant plant{PlantParams{}};
  PlantState s = plant.rollingStart(0.3, 0.0);
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (int step = 0; step < 40000; ++step) {
    const Plant::AngleReference ref = Plant::angleReference(s);
    plant.advance(s, inputsAt(step, ref), 2, ref);
    hash = mixed(hash, s);
    if (step % 100 == 99) std::printf("%016llx\n", static_cast<unsigned long long>(hash));
  }
  return 0;
}

// Energy over a whole run of the plant, driven directly with held voltages: what the DC
// link delivers is stored (motion, rotation, magnetic field) or lost (copper, tyre
// slip, rolling resistance and drag), and nothing else. Each term is the law's own
// expression, integrated by the test from the states the run passes through.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "plant/plant.h"

namespace substitute_host::plant {
namespace {

constexpr double kStep = 50e-6;  // s, one control step
constexpr double kPolePairs2 = 2.0;

// The powers at one instant, W, with the inverter holding `in`.
struct Powers {
  double drawn = 0.0;       // from the DC link into both motors
  double copper = 0.0;      // in both motors' windings
  double tyres = 0.0;       // force times sliding speed at both contact patches
  double resistance = 0.0;  // rolling resistance and drag times speed
};

Powers powersAt(const PlantParams& p, const PlantState& s, const HeldInputs& in) {
  Powers w;
  const double load = p.rearLoadShare * p.vehicleMass * kGravity / 2.0;
  for (int m = 0; m < 2; ++m) {
    const double phi = kPolePairs2 * s.theta(m);
    const AlphaBeta v = in.voltage[m];
    const double vd = std::cos(phi) * v.alpha + std::sin(phi) * v.beta;
    const double vq = std::cos(phi) * v.beta - std::sin(phi) * v.alpha;
    const Dq i = s.current(m);
    w.drawn += 1.5 * (vd * i.d + vq * i.q);  // amplitude-invariant frame
    w.copper += 1.5 * p.statorResistance * (i.d * i.d + i.q * i.q);
    const double sliding = s.omega(m) * p.wheelRadius / p.gearRatio - s.speed();  // straight
    const double slip = sliding / std::max(std::abs(s.speed()), 0.5);
    const double limit = p.tyreFriction * load;
    w.tyres += std::clamp(p.tyreSlipStiffness * load * slip, -limit, limit) * sliding;
  }
  const double v = s.speed();  // well above the rolling resistance's fade-out
  w.resistance =
      (p.rollingResistance * p.vehicleMass * kGravity + 0.5 * p.airDensity * p.dragArea * v * v) *
      v;
  return w;
}

// Kinetic energy of the body and of both drivetrains, and the motors' magnetic energy, J.
double storedEnergy(const PlantParams& p, const PlantState& s) {
  const double inertia = p.rotorInertia + p.wheelInertia / (p.gearRatio * p.gearRatio);
  double e = 0.5 * p.vehicleMass * s.speed() * s.speed();
  for (int m = 0; m < 2; ++m) {
    const Dq i = s.current(m);
    e += 0.5 * inertia * s.omega(m) * s.omega(m);
    e += 1.5 * 0.5 * (p.inductanceD * i.d * i.d + p.inductanceQ * i.q * i.q);
  }
  return e;
}

// The powers of `w` weighted by `k`, added to `sum`.
void accumulate(Powers& sum, const Powers& w, double k) {
  sum.drawn += k * w.drawn;
  sum.copper += k * w.copper;
  sum.tyres += k * w.tyres;
  sum.resistance += k * w.resistance;
}

// One second of driving straight from 10 m/s with a fixed rotor-frame voltage, renewed
// every other control step and held in between, so that each pair of steps is one
// smooth stretch for Simpson's rule (samples at its start, middle and end). Its error,
// about (we h)^4 / 180 at the highest electrical speed, comes to 2e-7 of the energy
// drawn here, the integrator's to far less; 1e-6 is allowed (the tyres' loss alone is
// 3e-3 of it). A missing loss, a torque or
// back-EMF out of step with the other, or an inertia counted twice breaks the balance
// by percents.
TEST(EnergyLaw, OverARunTheEnergyDrawnIsStoredOrLostInTheModelledLosses) {
  const PlantParams p;
  const Plant plant(p);
  PlantState s = plant.rollingStart(10.0, 0.0);
  const double before = storedEnergy(p, s);
  Powers total;
  for (int pair = 0; pair < 10000; ++pair) {
    HeldInputs in{};
    for (int m = 0; m < 2; ++m) {
      const double phi = kPolePairs2 * s.theta(m);
      const double vd = -8.0, vq = 60.0;
      in.voltage[m] = {std::cos(phi) * vd - std::sin(phi) * vq,
                       std::sin(phi) * vd + std::cos(phi) * vq};
    }
    accumulate(total, powersAt(p, s, in), kStep / 3.0);
    plant.advance(s, in, 2, Plant::angleReference(s));
    accumulate(total, powersAt(p, s, in), 4.0 * kStep / 3.0);
    plant.advance(s, in, 2, Plant::angleReference(s));
    accumulate(total, powersAt(p, s, in), kStep / 3.0);
  }
  const double stored = storedEnergy(p, s) - before;
  const double lost = total.copper + total.tyres + total.resistance;
  EXPECT_NEAR(total.drawn, stored + lost, 1e-6 * total.drawn)
      << "drawn " << total.drawn << " J, stored " << stored << " J, copper " << total.copper
      << " J, tyres " << total.tyres << " J, resistance " << total.resistance << " J";
  EXPECT_GT(total.drawn, 1000.0);  // it did drive
  EXPECT_GT(total.tyres, 0.0);
  EXPECT_GT(s.speed(), 10.0);
}

}  // namespace
}  // namespace substitute_host::plant

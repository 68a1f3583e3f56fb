// The plant against closed forms of the laws it models, driven directly with held
// voltages (no controller): the stator circuit of a locked rotor, a vehicle coasting
// against rolling resistance and drag, the motors' energy balance, and the
// integrator's order of convergence.
// Each expected value comes from the law's own solution, not from an earlier run.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "plant/plant.h"
#include "plant/vehicle.h"

namespace substitute_host::plant {
namespace {

constexpr double kStep = 50e-6;  // s, one control step

// Advances `steps` control steps with the same held inputs.
void advanceSteps(const Plant& plant, PlantState& s, const HeldInputs& in, int steps,
                  int substeps = 2) {
  for (int k = 0; k < steps; ++k) plant.advance(s, in, substeps, Plant::angleReference(s));
}

// A voltage along the d axis of a rotor at angle zero, where d is the alpha axis: no
// q current and no torque, so the rotor stays put and the stator is an R-L circuit,
// id(t) = V/R (1 - exp(-R t / L)). Its time constant is 32 ms; RK4 at 25 us substeps
// is good to far below the 1e-9 of the final current allowed here.
TEST(StatorCircuitLaw, ALockedRotorsCurrentRisesAsAFirstOrderRLCircuit) {
  const PlantParams p;
  const Plant plant(p);
  PlantState s = plant.rollingStart(0.0, 0.0);
  const double volts = 0.6;  // 50 A in the end
  HeldInputs in{{{volts, 0.0}, {volts, 0.0}}, 0.0};
  const double finalCurrent = volts / p.statorResistance;
  const double timeConstant = p.inductanceD / p.statorResistance;
  for (int block = 1; block <= 10; ++block) {
    advanceSteps(plant, s, in, 200);  // 10 ms
    const double t = block * 200 * kStep;
    const double expected = finalCurrent * (1.0 - std::exp(-t / timeConstant));
    for (int m = 0; m < 2; ++m) {
      EXPECT_NEAR(s.current(m).d, expected, 1e-9 * finalCurrent) << "motor " << m << ", t " << t;
      EXPECT_EQ(s.current(m).q, 0.0);
      EXPECT_EQ(s.omega(m), 0.0);
    }
  }
  EXPECT_EQ(s.speed(), 0.0);
}

// Without a magnet and with no voltage the motors carry no current: the vehicle
// coasts, slowed by rolling resistance a = Crr g and drag b v^2 (b = rho CdA / 2m), with
// the rotating parts adding to its mass. The speed then follows
//   v(t) = sqrt(a/b) tan(atan(v0 sqrt(b/a)) - sqrt(a b) t)
// with a and b taken per unit of the effective mass. The tyres carry the rotating
// parts' share through a slip of about 1e-4, which the law leaves out: 1e-4 of v0.
TEST(CoastingLaw, ACoastingVehicleSlowsAsRollingResistanceAndDragPrescribe) {
  PlantParams p;
  p.magnetFlux = 0.0;
  const Plant plant(p);
  const double v0 = 20.0;
  PlantState s = plant.rollingStart(v0, 0.0);
  const HeldInputs none{{{0.0, 0.0}, {0.0, 0.0}}, 0.0};
  const double rotating = 2.0 * (p.wheelInertia + p.rotorInertia * p.gearRatio * p.gearRatio) /
                          (p.wheelRadius * p.wheelRadius);
  const double mass = p.vehicleMass + rotating;
  const double a = p.rollingResistance * p.vehicleMass * kGravity / mass;
  const double b = 0.5 * p.airDensity * p.dragArea / mass;
  for (int second = 1; second <= 10; ++second) {
    advanceSteps(plant, s, none, 20000);
    const double t = second;
    const double expected =
        std::sqrt(a / b) * std::tan(std::atan(v0 * std::sqrt(b / a)) - std::sqrt(a * b) * t);
    EXPECT_NEAR(s.speed(), expected, 1e-4 * v0) << "t " << t;
    for (int m = 0; m < 2; ++m) EXPECT_EQ(s.current(m).q, 0.0);
  }
}

// What the DC link delivers to a motor, 1.5 (vd id + vq iq) in the amplitude-invariant
// frame, goes into copper loss, into the magnetic energy 1.5 (Ld id^2 + Lq iq^2) / 2, or
// across the air gap as torque times speed; nothing else. At any state and any voltage
// the plant's rates and its torque must balance so, to rounding (1e-9 of the power).
// A torque constant, pole-pair count or back-EMF term out of step with the others breaks
// the balance.
TEST(EnergyLaw, ThePowerDrawnIsCopperLossMagneticEnergyAndTorqueTimesSpeed) {
  const PlantParams p;
  const Plant plant(p);
  std::mt19937 random(2026);
  std::uniform_real_distribution<double> current(-300.0, 300.0), speed(-1500.0, 1500.0),
      angle(0.0, 6.283), voltage(-200.0, 200.0);
  for (int trial = 0; trial < 200; ++trial) {
    PlantState s = plant.rollingStart(5.0, 0.0);
    HeldInputs in{{{voltage(random), voltage(random)}, {voltage(random), voltage(random)}}, 0.0};
    for (int m = 0; m < 2; ++m) {
      s.motor(m, PlantState::kId) = current(random);
      s.motor(m, PlantState::kIq) = current(random);
      s.motor(m, PlantState::kTheta) = angle(random);
      s.motor(m, PlantState::kOmega) = speed(random);
    }
    const StepState x = plant.stepStart(s, in, Plant::angleReference(s));
    const StepState rate = plant.rates(x, wheelSpeedRatio(p, kWheelSides, 0.0));
    for (int m = 0; m < 2; ++m) {
      const double phi = 2.0 * s.theta(m);  // two pole pairs
      const double vd = std::cos(phi) * in.voltage[m].alpha + std::sin(phi) * in.voltage[m].beta;
      const double vq = std::cos(phi) * in.voltage[m].beta - std::sin(phi) * in.voltage[m].alpha;
      const Dq i = s.current(m);
      const double drawn = 1.5 * (vd * i.d + vq * i.q);
      const double copper = 1.5 * p.statorResistance * (i.d * i.d + i.q * i.q);
      const double magnetic = 1.5 * (p.inductanceD * i.d * rate[StepState::kId][m] +
                                     p.inductanceQ * i.q * rate[StepState::kIq][m]);
      const double airGap = plant.torque(s, m) * s.omega(m);
      const double scale = std::abs(drawn) + copper + std::abs(magnetic) + std::abs(airGap);
      EXPECT_NEAR(drawn, copper + magnetic + airGap, 1e-9 * scale) << "trial " << trial;
    }
  }
}

// The error of a run against one with 32 substeps falls at RK4's order: halving the
// substep divides it by about 2^4. Held inputs make each control step a smooth initial
// value problem, so the order shows in full (between 12 and 20 allowed for 16).
TEST(IntegratorLaw, TheErrorFallsAtTheFourthOrderWithTheSubstep) {
  const Plant plant{PlantParams{}};
  const HeldInputs in{{{3.0, 40.0}, {-2.0, 40.0}}, 0.05};
  const auto finalCurrent = [&](int substeps) {
    PlantState s = plant.rollingStart(15.0, 0.05);
    advanceSteps(plant, s, in, 400, substeps);
    return s.current(0).q;
  };
  const double reference = finalCurrent(32);
  const double coarse = std::abs(finalCurrent(1) - reference);
  const double finer = std::abs(finalCurrent(2) - reference);
  ASSERT_GT(finer, 0.0);
  EXPECT_GT(coarse / finer, 12.0) << coarse << " " << finer;
  EXPECT_LT(coarse / finer, 20.0) << coarse << " " << finer;
}

}  // namespace
}  // namespace substitute_host::plant

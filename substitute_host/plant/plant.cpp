#include "plant/plant.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "plant/controller_step.h"
#include "plant/pmsm.h"
#include "plant/rk4.h"
#include "plant/tyre.h"
#include "plant/vehicle.h"

namespace substitute_host::plant {

namespace {

// A rotor angle back into [0, 2 pi). Within a step a rotor turns by far less than a
// turn, so one turn added or taken off is the usual case, and the same number as the
// general rule's.
double wrappedAngle(double theta) {
  constexpr double kTurn = 2.0 * std::numbers::pi;
  if (theta >= kTurn && theta < 2.0 * kTurn) {
    theta -= kTurn;
  } else if (theta < 0.0 && theta >= -kTurn) {
    theta += kTurn;
  } else if (!(theta >= 0.0 && theta < kTurn)) {
    theta -= kTurn * std::floor(theta / kTurn);
  }
  return theta >= kTurn ? 0.0 : theta;  // a tiny negative angle can round up to a full turn
}

}  // namespace

Plant::Plant(const PlantParams& params) : p_(params) {
  const double wheelLoad = p_.rearLoadShare * p_.vehicleMass * kGravity / 2.0;
  slipStiffness_ = p_.tyreSlipStiffness * wheelLoad;
  maxTyreForce_ = p_.tyreFriction * wheelLoad;
  invMotorSideInertia_ = 1.0 / (p_.rotorInertia + p_.wheelInertia / (p_.gearRatio * p_.gearRatio));
  treadPerOmega_ = p_.wheelRadius / p_.gearRatio;
  invLd_ = 1.0 / p_.inductanceD;
  invLq_ = 1.0 / p_.inductanceQ;
  invMass_ = 1.0 / p_.vehicleMass;
  resistance_ = resistanceLaw(p_);
}

PlantState Plant::rollingStart(double speed, double tanSteer) const {
  PlantState s;
  const double yaw = yawRate(p_, speed, tanSteer);
  for (int m = 0; m < 2; ++m) {
    s.motor(m, PlantState::kOmega) =
        wheelGroundSpeed(p_, m, speed, yaw) / p_.wheelRadius * p_.gearRatio;
  }
  s.x[PlantState::kSpeed] = speed;
  return s;
}

StepState Plant::stepStart(const PlantState& s, const HeldInputs& in,
                           const AngleReference& ref) const {
  StepState x;
  for (int m = 0; m < 2; ++m) {
    const Dq voltage = park(in.voltage[m], ref.rotor[m].c, ref.rotor[m].s);
    x[StepState::kId][m] = s.current(m).d;
    x[StepState::kIq][m] = s.current(m).q;
    x[StepState::kOmega][m] = s.omega(m);
    x[StepState::kTheta][m] = s.theta(m);
    x[StepState::kVd][m] = voltage.d;
    x[StepState::kVq][m] = voltage.q;
  }
  x[StepState::kBody] = Pair{s.speed(), 0.0};
  return x;
}

// Both kept inline in the integrator's loop: four evaluations a substep, whose
// results would otherwise go through memory between every stage.
[[gnu::always_inline]] inline Pair Plant::motorRates(const StepState& s, Pair groundSpeed,
                                                     StepState& d) const {
  const Pair omega = s[StepState::kOmega];
  const DqOf<Pair> current{s[StepState::kId], s[StepState::kIq]};
  const DqOf<Pair> voltage{s[StepState::kVd], s[StepState::kVq]};
  const DqOf<Pair> inductive = pmsmInductanceVoltage(p_, current, voltage, omega);
  const DqOf<Pair> turning = heldVoltageTurning(voltage, omega);

  const Pair force =
      tyreForceAt(omega * treadPerOmega_, groundSpeed, slipStiffness_, maxTyreForce_);

  d[StepState::kId] = inductive.d * invLd_;
  d[StepState::kIq] = inductive.q * invLq_;
  d[StepState::kOmega] = (pmsmTorque(p_, current) - force * treadPerOmega_) * invMotorSideInertia_;
  d[StepState::kTheta] = omega;
  d[StepState::kVd] = turning.d;
  d[StepState::kVq] = turning.q;
  return force;
}

[[gnu::always_inline]] inline StepState Plant::stageRates(const StepState& s,
                                                          Pair wheelRatio) const {
  StepState d;
  const double v = s[StepState::kBody][StepState::kSpeed];
  const Pair ground = v * wheelRatio;
  const Pair force = motorRates(s, ground, d);
  const double tractive = force[0] + force[1];
  d[StepState::kBody] = Pair{(tractive - resistanceForce(resistance_, v)) * invMass_, v};
  return d;
}

StepState Plant::rates(const StepState& s, Pair wheelRatio) const {
  return stageRates(s, wheelRatio);
}

void Plant::advance(PlantState& s, const HeldInputs& in, int substeps,
                    const AngleReference& ref) const {
  const double h = kControlStep / substeps;
  const double yawPerSpeed = yawRatePerSpeed(p_, in.tanSteer);
  const Pair wheelRatio = wheelSpeedRatio(p_, kWheelSides, yawPerSpeed);
  const auto f = [this, wheelRatio](const StepState& x) { return stageRates(x, wheelRatio); };
  StepState x = stepStart(s, in, ref);
  for (int i = 0; i < substeps; ++i) rk4Step(x, h, f);
  for (int m = 0; m < 2; ++m) {
    s.motor(m, PlantState::kId) = x[StepState::kId][m];
    s.motor(m, PlantState::kIq) = x[StepState::kIq][m];
    s.motor(m, PlantState::kOmega) = x[StepState::kOmega][m];
    s.motor(m, PlantState::kTheta) = wrappedAngle(x[StepState::kTheta][m]);
  }
  const Pose pose = alongArc({s.heading(), s.posX(), s.posY()}, ref.body,
                             x[StepState::kBody][StepState::kDistance], yawPerSpeed);
  s.x[PlantState::kSpeed] = x[StepState::kBody][StepState::kSpeed];
  s.x[PlantState::kHeading] = pose.heading;
  s.x[PlantState::kPosX] = pose.x;
  s.x[PlantState::kPosY] = pose.y;
}

double Plant::torque(const PlantState& s, int m) const { return pmsmTorque(p_, s.current(m)); }

Pair Plant::slips(const PlantState& s, double tanSteer) const {
  const Pair tread = Pair{s.omega(0), s.omega(1)} * treadPerOmega_;
  const double yaw = yawRate(p_, s.speed(), tanSteer);
  return wheelSlip(tread, wheelGroundSpeed(p_, kWheelSides, s.speed(), yaw));
}

}  // namespace substitute_host::plant

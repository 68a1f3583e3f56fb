#include "plant/plant.h"

#include <cmath>
#include <numbers>

#include "plant/controller_step.h"
#include "plant/pmsm.h"
#include "plant/rk4.h"
#include "plant/tyre.h"
#include "plant/vehicle.h"

namespace substitute_host::plant {

Plant::Plant(const PlantParams& params) : p_(params) {
  const double wheelLoad = p_.rearLoadShare * p_.vehicleMass * kGravity / 2.0;
  slipStiffness_ = p_.tyreSlipStiffness * wheelLoad;
  maxTyreForce_ = p_.tyreFriction * wheelLoad;
  invMotorSideInertia_ = 1.0 / (p_.rotorInertia + p_.wheelInertia / (p_.gearRatio * p_.gearRatio));
  treadPerOmega_ = p_.wheelRadius / p_.gearRatio;
  invLd_ = 1.0 / p_.inductanceD;
  invLq_ = 1.0 / p_.inductanceQ;
  invMass_ = 1.0 / p_.vehicleMass;
}

Plant::AngleReference Plant::angleReference(const PlantState& s) {
  AngleReference ref;
  for (int m = 0; m < 2; ++m) {
    ref.electrical[m] = electricalAngle(s.theta(m));
    ref.rotor[m] = phasorOf(ref.electrical[m]);
  }
  ref.heading = s.heading();
  ref.body = phasorOf(ref.heading);
  return ref;
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

PlantState Plant::rates(const PlantState& s, const HeldInputs& in,
                        const AngleReference& ref) const {
  PlantState dx;
  const double v = s.speed();
  const double yaw = yawRate(p_, v, in.tanSteer);
  double tractive = 0.0;
  for (int m = 0; m < 2; ++m) {
    const Phasor rotor = phasorNear(ref.rotor[m], ref.electrical[m], electricalAngle(s.theta(m)));
    const Dq current = s.current(m);
    const Dq voltage = park(in.voltage[m], rotor.c, rotor.s);
    const Dq inductive = pmsmInductanceVoltage(p_, current, voltage, s.omega(m));

    const double ground = wheelGroundSpeed(p_, m, v, yaw);
    const double slip = wheelSlip(s.omega(m) * treadPerOmega_, ground);
    const double force = tyreForce(slip, slipStiffness_, maxTyreForce_);

    double* d = &dx.x[m * PlantState::kMotorFields];
    d[PlantState::kId] = inductive.d * invLd_;
    d[PlantState::kIq] = inductive.q * invLq_;
    d[PlantState::kTheta] = s.omega(m);
    d[PlantState::kOmega] =
        (pmsmTorque(p_, current) - force * treadPerOmega_) * invMotorSideInertia_;
    tractive += force;
  }
  const Phasor body = phasorNear(ref.body, ref.heading, s.heading());
  dx[PlantState::kSpeed] = (tractive - resistanceForce(p_, v)) * invMass_;
  dx[PlantState::kHeading] = yaw;
  dx[PlantState::kPosX] = v * body.c;
  dx[PlantState::kPosY] = v * body.s;
  return dx;
}

void Plant::advance(PlantState& s, const HeldInputs& in, int substeps,
                    const AngleReference& ref) const {
  const double h = kControlStep / substeps;
  const auto f = [this, &in, &ref](const PlantState& x) { return rates(x, in, ref); };
  for (int i = 0; i < substeps; ++i) rk4Step(s, h, f);
  constexpr double kTurn = 2.0 * std::numbers::pi;
  for (int m = 0; m < 2; ++m) {
    double& theta = s.motor(m, PlantState::kTheta);
    theta -= kTurn * std::floor(theta / kTurn);
    if (theta >= kTurn) theta = 0.0;  // a tiny negative angle can round up to a full turn
  }
}

double Plant::torque(const PlantState& s, int m) const { return pmsmTorque(p_, s.current(m)); }

double Plant::slip(const PlantState& s, int m, double tanSteer) const {
  const double tread = s.omega(m) * treadPerOmega_;
  return wheelSlip(tread, wheelGroundSpeed(p_, m, s.speed(), yawRate(p_, s.speed(), tanSteer)));
}

}  // namespace substitute_host::plant

#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstddef>

#include "plant/phase_axes.h"
#include "plant/phasor.h"
#include "plant/plant_params.h"
#include "plant/pmsm.h"
#include "plant/step_state.h"
#include "plant/vehicle.h"

namespace substitute_host::plant {

// The integrated state of both drive channels and the vehicle body.
struct PlantState {
  static constexpr int kMotorFields = 4;
  static constexpr int kSize = 2 * kMotorFields + 4;
  using Array = std::array<double, kSize>;

  // Offsets inside a motor's block of fields.
  enum MotorField { kId = 0, kIq = 1, kTheta = 2, kOmega = 3 };
  // Vehicle fields, after both motors.
  enum VehicleField { kSpeed = 2 * kMotorFields, kHeading, kPosX, kPosY };

  Array x{};

  // Vector access for the integrator; a state's rate has the same layout.
  static constexpr std::size_t size() { return kSize; }
  double& operator[](std::size_t i) { return x[i]; }
  double operator[](std::size_t i) const { return x[i]; }

  double& motor(int m, MotorField f) { return x[m * kMotorFields + f]; }
  double motor(int m, MotorField f) const { return x[m * kMotorFields + f]; }
  Dq current(int m) const { return {motor(m, kId), motor(m, kIq)}; }
  double theta(int m) const { return motor(m, kTheta); }  // mechanical, rad
  double omega(int m) const { return motor(m, kOmega); }  // mechanical, rad/s
  double speed() const { return x[kSpeed]; }              // m/s, along the heading
  double heading() const { return x[kHeading]; }          // rad, 0 along +x
  double posX() const { return x[kPosX]; }
  double posY() const { return x[kPosY]; }
};

// What stays fixed over one control step: the inverter's stationary-frame voltages
// and the steering angle (as its tangent).
struct HeldInputs {
  AlphaBeta voltage[2];
  double tanSteer;
};

class Plant {
 public:
  explicit Plant(const PlantParams& params);

  // Rolling straight or along the steered arc at `speed` with no wheel slip, no
  // current and both rotors at angle zero.
  PlantState rollingStart(double speed, double tanSteer) const;

  // Angles at the start of a step and their cos and sin: the sensors read the phase
  // currents through the rotor's, and the step starts its rotating quantities from them.
  struct AngleReference {
    Phasor rotor[2];  // of the electrical angles
    double heading;
    Phasor body;
  };
  // Inline, as every step starts with it: the result stays in registers.
  static AngleReference angleReference(const PlantState& s) {
    AngleReference ref;
    referRotors(s, ref);
    ref.heading = s.heading();
    ref.body = phasorOf(ref.heading);
    return ref;
  }
  // The same, taking the heading's cos and sin from `previous` when the heading has
  // not moved since (on a straight road, most steps).
  static AngleReference angleReference(const PlantState& s, const AngleReference& previous) {
    AngleReference ref;
    referRotors(s, ref);
    ref.heading = s.heading();
    const bool turned =
        std::bit_cast<std::uint64_t>(ref.heading) != std::bit_cast<std::uint64_t>(previous.heading);
    ref.body = turned ? phasorOf(ref.heading) : previous.body;
    return ref;
  }

  // What the step integrates, at its start: `s`'s motors with the held voltages turned
  // into each rotor's frame, its speed, and no distance yet. `ref` is angleReference(s).
  StepState stepStart(const PlantState& s, const HeldInputs& in, const AngleReference& ref) const;

  // Time derivative of every field of `s`; `wheelRatio` is both rear wheels'
  // wheelSpeedRatio for the held steering.
  StepState rates(const StepState& s, Pair wheelRatio) const;

  // Advances by one control step in `substeps` equal RK4 steps, then wraps the
  // rotor angles back into [0, 2 pi). `ref` is angleReference(s) on entry.
  void advance(PlantState& s, const HeldInputs& in, int substeps, const AngleReference& ref) const;

  double torque(const PlantState& s, int m) const;
  // Both driven wheels' slips, lane m for motor m.
  Pair slips(const PlantState& s, double tanSteer) const;

 private:
  // The cos and sin of the rotors' electrical angles, both at once.
  static void referRotors(const PlantState& s, AngleReference& ref) {
    const PhasorOf<Pair> rotors =
        phasorOf(Pair{electricalAngle(s.theta(0)), electricalAngle(s.theta(1))});
    for (int m = 0; m < 2; ++m) ref.rotor[m] = {rotors.c[m], rotors.s[m]};
  }
  // Both motors' rates into `d`; returns their tyres' forces on the ground, N.
  Pair motorRates(const StepState& s, Pair groundSpeed, StepState& d) const;
  // The rates, as the integrator takes them.
  StepState stageRates(const StepState& s, Pair wheelRatio) const;

  PlantParams p_;
  // Derived once: the rates are evaluated four times per substep.
  double slipStiffness_;        // N per unit slip
  double maxTyreForce_;         // N
  double invMotorSideInertia_;  // 1 / (kg m^2), wheel and rotor referred to the motor shaft
  double treadPerOmega_;        // m/s of tread per rad/s of motor
  double invLd_, invLq_, invMass_;
  ResistanceLaw resistance_;
};

}  // namespace substitute_host::plant

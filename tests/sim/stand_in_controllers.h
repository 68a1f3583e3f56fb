#pragma once

// Controllers that keep no state, to drive the plant and the loop in tests, and the
// scenarios and recording they run with.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plant/simulation.h"

namespace substitute_host::plant::stand_ins {

// Constant demand, steering and a 400 V link; rolling at `initialSpeed` from the start.
inline Scenario constantScenario(double duration, double initialSpeed, double steer) {
  Scenario s;
  s.duration = duration;
  s.initialSpeed = initialSpeed;
  s.iqCommand = Profile({{0.0, 0.0}});
  s.steerAngle = Profile({{0.0, steer}});
  s.udc = Profile({{0.0, 400.0}});
  return s;
}

// Every step the run hands to its sink; the run must complete.
inline std::vector<StepRecord> record(const Scenario& s, ControllerStep step, void* context,
                                      SimulationResult* result = nullptr) {
  std::vector<StepRecord> rows;
  const SimulationResult r = runSimulation(s, step, context, {}, [&rows](const StepRecord& x) {
    rows.push_back(x);
    return true;
  });
  EXPECT_TRUE(r.ok()) << r.error;
  if (result != nullptr) *result = r;
  return rows;
}

// Zero voltage on every phase: the inverter shorts the windings.
inline void zeroVoltage(void*, const float* const[9], float* const outputs[2]) {
  for (int m = 0; m < 2; ++m) {
    for (int i = 0; i < 3; ++i) outputs[m][i] = 0.0f;
  }
}

// Applies a fixed rotor-frame voltage to both motors, written out with the
// controller's conventions (electrical angle twice the mechanical one, inverse Park
// alpha = cos*d - sin*q, beta = sin*d + cos*q, inverse Clarke), not the plant's code.
struct FixedDqVoltage {
  double vd;
  double vq;
};

// Writes the normalised phase voltages of the rotor-frame voltage (vd, vq) at electrical
// angle phi.
inline void writeDqVoltage(double phi, double halfDc, double vd, double vq, float* out) {
  const double alpha = std::cos(phi) * vd - std::sin(phi) * vq;
  const double beta = std::sin(phi) * vd + std::cos(phi) * vq;
  out[0] = static_cast<float>(alpha / halfDc);
  out[1] = static_cast<float>((-0.5 * alpha + std::sqrt(3.0) / 2.0 * beta) / halfDc);
  out[2] = static_cast<float>((-0.5 * alpha - std::sqrt(3.0) / 2.0 * beta) / halfDc);
}

inline void applyFixedDq(void* context, const float* const in[9], float* const out[2]) {
  const auto* v = static_cast<const FixedDqVoltage*>(context);
  const double halfDc = 0.5 * in[6][0];
  for (int m = 0; m < 2; ++m)
    writeDqVoltage(2.0 * in[m == 0 ? 1 : 4][0], halfDc, v->vd, v->vq, out[m]);
}

// Holds a q current in both motors by its steady-state voltage at the speed each
// sensor reports, with no d current: vd = -we Lq iq, vq = Rs iq + we psi. With no current
// it cancels the back-EMF, so that the motors neither drive nor brake.
struct FixedQCurrent {
  double iq;
};

inline void applyFixedQCurrent(void* context, const float* const in[9], float* const out[2]) {
  const double iq = static_cast<const FixedQCurrent*>(context)->iq;
  const PlantParams p;
  const double halfDc = 0.5 * in[6][0];
  for (int m = 0; m < 2; ++m) {
    const double we = 2.0 * in[m == 0 ? 2 : 5][0];  // two pole pairs
    const double vd = -we * p.inductanceQ * iq, vq = p.statorResistance * iq + we * p.magnetFlux;
    writeDqVoltage(2.0 * in[m == 0 ? 1 : 4][0], halfDc, vd, vq, out[m]);
  }
}

// The vehicle rolls freely: no current in either motor.
inline void freeRolling(void*, const float* const in[9], float* const out[2]) {
  FixedQCurrent none{0.0};
  applyFixedQCurrent(&none, in, out);
}

// The block inputs of one motor in a record: phase currents, angle and speed.
inline float thetaInput(const StepRecord& r, int m) { return r.inputs[m == 0 ? 3 : 8]; }
inline float omegaInput(const StepRecord& r, int m) { return r.inputs[m == 0 ? 4 : 9]; }

}  // namespace substitute_host::plant::stand_ins

#include "plant/simulation.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <exception>
#include <sstream>

#include "plant/inverter.h"
#include "plant/modulation_index_estimate.h"
#include "plant/port_buffers.h"
#include "plant/sensors.h"
#include "plant/vehicle.h"

namespace substitute_host::plant {

namespace {

using Clock = std::chrono::steady_clock;

void sampleSensors(const PlantState& s, const Plant::AngleReference& ref, PortBuffers& ports) {
  for (int m = 0; m < 2; ++m) ports.setMotor(m, readMotor(s, m, ref.rotor[m]));
}

bool allFinite(const PlantState& s) {
  for (double v : s.x) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

std::string divergenceMessage(double time, const PortBuffers& ports) {
  std::ostringstream m;
  m << "simulation: the plant state stopped being finite after the step at t = " << time
    << " s; controller outputs were";
  for (float v : ports.outputs) m << ' ' << v;
  return m.str();
}

class Loop {
 public:
  Loop(const Scenario& sc, ControllerStep step, void* context, const SimulationOptions& options,
       const StepSink& sink)
      : sc_(sc), plant_(sc.plant), step_(step), context_(context), options_(options), sink_(sink) {}

  SimulationResult run() {
    SimulationResult result;
    const long long steps =
        std::max(1LL, static_cast<long long>(std::ceil(sc_.duration / kControlStep - 1e-9)));
    PlantState s = plant_.rollingStart(sc_.initialSpeed, tangentOf(sc_.steerAngle.at(0.0)));
    const auto start = Clock::now();
    long long k = 0;
    Plant::AngleReference ref = Plant::angleReference(s);
    for (; k < steps; ++k) {
      const double time = static_cast<double>(k) * kControlStep;
      if (k > 0) ref = Plant::angleReference(s, ref);
      const HeldInputs held = controlStep(time, s, ref);
      if (options_.stop != nullptr && *options_.stop != 0) {
        std::ostringstream m;
        m << "simulation: stopped at t = " << time << " s on request";
        result.error = m.str();
        break;
      }
      const StepFigures figures = stepFigures(time, s, held.tanSteer);
      result.stats.add(s, figures);
      if (sink_ && k % options_.decimate == 0 && !handOver(s, held.tanSteer, figures)) {
        std::ostringstream m;
        m << "simulation: stopped at t = " << time << " s because the output could not be written";
        result.error = m.str();
        break;
      }
      plant_.advance(s, held, sc_.substeps, ref);
      if (!allFinite(s)) {
        result.error = divergenceMessage(time, ports_);
        break;
      }
      if ((k & 1023) == 0 && options_.progress)
        options_.progress(static_cast<double>(k) / steps, seconds(start));
    }
    result.wallSeconds = seconds(start);
    result.steps = k;
    result.simulatedSeconds = static_cast<double>(k) * kControlStep;
    result.finalState = s;
    return result;
  }

 private:
  static double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
  }

  // Samples the sensors and profiles, runs the controller once and turns its
  // outputs into the voltages the inverter holds for this step.
  HeldInputs controlStep(double time, const PlantState& s, const Plant::AngleReference& ref) {
    sampleSensors(s, ref, ports_);
    const double udc = sc_.udc.at(time, segment_.udc);
    const double steer = sc_.steerAngle.at(time, segment_.steerAngle);
    ports_.udc = static_cast<float>(udc);
    ports_.iqCommand = static_cast<float>(sc_.iqCommand.at(time, segment_.iqCommand));
    ports_.steerAngle = static_cast<float>(steer);
    step_(context_, ports_.inputPorts, ports_.outputPorts);

    HeldInputs held;
    held.tanSteer = tangentOfSteering(steer);
    for (int m = 0; m < 2; ++m) {
      const float* v = ports_.vabcNorm[m];
      held.voltage[m] = clarke(invertPhaseVoltage(v[0], udc), invertPhaseVoltage(v[1], udc),
                               invertPhaseVoltage(v[2], udc));
      modIndex_[m].update(v, udc);
    }
    return held;
  }

  // The figures of the step beside its state, for the run's statistics.
  StepFigures stepFigures(double time, const PlantState& s, double tanSteer) const {
    StepFigures f;
    f.time = time;
    const Pair slips = plant_.slips(s, tanSteer);
    for (int m = 0; m < 2; ++m) {
      f.modIndex[m] = modIndex_[m].value();
      f.slip[m] = slips[m];
    }
    f.dcLinkPower = dcLinkPower(ports_.inputs, ports_.outputs);
    return f;
  }

  // The steering is held for long stretches: its tangent is worked out when it moves
  // (when its bits change, so that -0 keeps its own tangent).
  double tangentOfSteering(double steer) {
    if (std::bit_cast<std::uint64_t>(steer) != lastSteerBits_) {
      lastSteerBits_ = std::bit_cast<std::uint64_t>(steer);
      tanLastSteer_ = tangentOf(steer);
    }
    return tanLastSteer_;
  }

  // The step's record, to the sink; false when the sink can take no more.
  bool handOver(const PlantState& s, double tanSteer, const StepFigures& f) const {
    StepRecord record;
    fillRecord(s, tanSteer, f, record);
    return sink_(record);
  }

  // The step's record: its figures as the statistics took them, and the rest.
  void fillRecord(const PlantState& s, double tanSteer, const StepFigures& f,
                  StepRecord& r) const {
    r.time = f.time;
    std::copy(std::begin(ports_.inputs), std::end(ports_.inputs), r.inputs);
    std::copy(std::begin(ports_.outputs), std::end(ports_.outputs), r.outputs);
    const SpeedPair ideal =
        geometricMotorSpeeds(sc_.plant, 0.5 * (s.omega(0) + s.omega(1)), tanSteer);
    for (int m = 0; m < 2; ++m) {
      auto& motor = r.motor[m];
      motor.id = s.current(m).d;
      motor.iq = s.current(m).q;
      motor.torque = plant_.torque(s, m);
      motor.modIndex = f.modIndex[m];
      motor.idealOmega = m == 0 ? ideal.motor1 : ideal.motor2;
      motor.slip = f.slip[m];
    }
    r.speed = s.speed();
    r.yawRate = yawRate(sc_.plant, s.speed(), tanSteer);
    r.x = s.posX();
    r.y = s.posY();
  }

  const Scenario& sc_;
  Plant plant_;
  ControllerStep step_;
  void* context_;
  const SimulationOptions& options_;
  const StepSink& sink_;
  PortBuffers ports_;
  ModulationIndexEstimate modIndex_[2];
  struct {
    std::size_t udc = 0, steerAngle = 0, iqCommand = 0;
  } segment_;  // where each profile's last lookup ended
  std::uint64_t lastSteerBits_ = 0;  // +0
  double tanLastSteer_ = 0.0;        // tan(+0)
};

}  // namespace

SimulationResult runSimulation(const Scenario& scenario, ControllerStep step, void* context,
                               const SimulationOptions& options, const StepSink& sink) {
  SimulationResult result;
  if (step == nullptr) {
    result.error = "simulation: no controller step function was given";
    return result;
  }
  if (!(scenario.duration > 0.0 && scenario.duration <= kMaxDuration) || scenario.substeps < 1 ||
      scenario.substeps > kMaxSubsteps) {
    result.error = "simulation: the scenario's duration or substeps are out of range";
    return result;
  }
  if (options.decimate < 1) {
    result.error =
        "simulation: decimate must be at least 1, got " + std::to_string(options.decimate);
    return result;
  }
  try {
    Loop loop(scenario, step, context, options, sink);
    result = loop.run();
  } catch (const std::exception& e) {
    result.error = std::string("simulation: ") + e.what();
  }
  return result;
}

}  // namespace substitute_host::plant

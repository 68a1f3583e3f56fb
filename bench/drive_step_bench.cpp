// One drive step against the floor of its unavoidable work: the differential's tangent
// and, per motor, the cosine and sine of the doubled rotor angle. The first floor takes
// them from the C library (as the ratio has always been measured), the second from the
// controller's own routines as the drive step runs them: the approximate tangent (the
// correctly rounded one only when the steering term's rounding is in doubt) and both
// rotations in one pass.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "control/drive_step.h"
#include "control/frame_transforms.h"
#include "control/trig/tangent.h"

namespace {

constexpr std::size_t kSamples = 1 << 16;

struct StepInputs {
  float iabc1[3], theta1, omega1, iabc2[3], theta2, omega2, udc, iqCommand, steerAngle;
};

// Samples as a running drive delivers them every 50 us: rotor angles advancing with the
// speed, sinusoidal phase currents at the electrical angle, a speed that sweeps up and
// down through field weakening, a DC link with ripple and a steering angle that wanders.
const std::vector<StepInputs>& realisticInputs() {
  static const std::vector<StepInputs> inputs = [] {
    constexpr double kTwoPi = 6.283185307179586, kStep = 50e-6;
    std::vector<StepInputs> v(kSamples);
    double theta1 = 0, theta2 = 1.0;
    for (std::size_t i = 0; i < v.size(); ++i) {
      const double t = static_cast<double>(i) * kStep;
      const double omega = 200 + 180 * std::sin(kTwoPi * t / (kSamples * kStep));
      const double steer = 0.25 * std::sin(kTwoPi * 3 * t / (kSamples * kStep));
      const double amplitude = 150 + 100 * std::cos(kTwoPi * 5 * t / (kSamples * kStep));
      theta1 = std::fmod(theta1 + omega * kStep, kTwoPi);
      theta2 = std::fmod(theta2 + 0.97 * omega * kStep, kTwoPi);
      StepInputs& s = v[i];
      auto phases = [&](double theta, float out[3]) {
        for (int k = 0; k < 3; ++k)
          out[k] = static_cast<float>(amplitude * std::cos(2 * theta + 1.5 - k * kTwoPi / 3));
      };
      s.theta1 = static_cast<float>(theta1);
      s.theta2 = static_cast<float>(theta2);
      phases(theta1, s.iabc1);
      phases(theta2, s.iabc2);
      s.omega1 = static_cast<float>(omega);
      s.omega2 = static_cast<float>(0.97 * omega);
      s.udc = static_cast<float>(400 + 8 * std::sin(kTwoPi * 300 * t));
      s.iqCommand = static_cast<float>(amplitude * 0.6);
      s.steerAngle = static_cast<float>(steer);
    }
    return v;
  }();
  return inputs;
}

void BM_DriveStep(benchmark::State& state) {
  const std::vector<StepInputs>& in = realisticInputs();
  float v1[3], v2[3];
  std::size_t i = 0;
  for (auto _ : state) {
    const StepInputs& s = in[i++ & (kSamples - 1)];
    driveOutputs(s.iabc1, &s.theta1, &s.omega1, s.iabc2, &s.theta2, &s.omega2, &s.udc,
                 &s.iqCommand, &s.steerAngle, v1, v2);
    benchmark::DoNotOptimize(v1);
    benchmark::DoNotOptimize(v2);
    benchmark::ClobberMemory();
  }
}

void BM_DriveStepFloor(benchmark::State& state) {
  const std::vector<StepInputs>& in = realisticInputs();
  std::size_t i = 0;
  for (auto _ : state) {
    const StepInputs& s = in[i++ & (kSamples - 1)];
    const double phi1 = static_cast<double>(s.theta1 + s.theta1);
    const double phi2 = static_cast<double>(s.theta2 + s.theta2);
    double t = std::tan(static_cast<double>(s.steerAngle));
    double c1 = std::cos(phi1), s1 = std::sin(phi1), c2 = std::cos(phi2), s2 = std::sin(phi2);
    benchmark::DoNotOptimize(t);
    benchmark::DoNotOptimize(c1);
    benchmark::DoNotOptimize(s1);
    benchmark::DoNotOptimize(c2);
    benchmark::DoNotOptimize(s2);
  }
}

void BM_DriveStepOwnTrigFloor(benchmark::State& state) {
  const std::vector<StepInputs>& in = realisticInputs();
  std::size_t i = 0;
  for (auto _ : state) {
    const StepInputs& s = in[i++ & (kSamples - 1)];
    double t = 0;
    approximateTangent(s.steerAngle, t);
    Rotation r1, r2;
    rotationsOf(s.theta1, s.theta2, r1, r2);
    benchmark::DoNotOptimize(t);
    benchmark::DoNotOptimize(r1);
    benchmark::DoNotOptimize(r2);
  }
}
}  // namespace

BENCHMARK(BM_DriveStep)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_DriveStepFloor)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_DriveStepOwnTrigFloor)->Repetitions(9)->ReportAggregatesOnly(true);

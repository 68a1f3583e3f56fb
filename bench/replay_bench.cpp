// Replay throughput end to end: parse a row, step the controller, format the outputs.
// items_per_second is rows per second; the tool is meant to manage a million or more.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "replay/csv_replay.h"
#include "replay/direct_step.h"

namespace {

constexpr int kRows = 100000;

// A temporary file of plausible drive rows, written once: balanced phase currents at
// the rotor angle, forward speeds, a link voltage near 400 V, small steering angles.
std::FILE* realisticInputFile() {
  static std::FILE* file = [] {
    std::FILE* f = std::tmpfile();
    std::mt19937 rng(2026);
    std::uniform_real_distribution<float> amplitude(0, 250), angle(0, 6.2831853f), speed(0, 400),
        link(380, 420), command(-100, 100), steer(-0.3f, 0.3f);
    std::fputs(
        "time,iabc1_a,iabc1_b,iabc1_c,theta1,omega1,iabc2_a,iabc2_b,iabc2_c,theta2,"
        "omega2,udc,iqCommand,steerAngle\n",
        f);
    for (int row = 0; row < kRows; ++row) {
      const float theta1 = angle(rng), theta2 = angle(rng), a1 = amplitude(rng),
                  a2 = amplitude(rng), omega1 = speed(rng);
      const float ia1 = a1 * std::cos(2 * theta1), ib1 = a1 * std::cos(2 * theta1 - 2.0943951f);
      const float ia2 = a2 * std::cos(2 * theta2), ib2 = a2 * std::cos(2 * theta2 - 2.0943951f);
      std::fprintf(f, "%.6g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g\n",
                   row * 1e-4, ia1, ib1, -ia1 - ib1, theta1, omega1, ia2, ib2, -ia2 - ib2, theta2,
                   omega1 * 0.98f, link(rng), command(rng), steer(rng));
    }
    std::fflush(f);
    return f;
  }();
  return file;
}

void BM_ReplayDirect(benchmark::State& state) {
  std::FILE* in = realisticInputFile();
  std::FILE* out = std::fopen("/dev/null", "wb");
  if (in == nullptr || out == nullptr) {
    state.SkipWithError("cannot open the replay files");
    return;
  }
  for (auto _ : state) {
    std::rewind(in);
    const substitute_host::ReplayOutcome outcome =
        substitute_host::replayCsv(in, out, substitute_host::directDriveStep, nullptr);
    if (outcome.status != substitute_host::ReplayOutcome::Status::ok) {
      state.SkipWithError(outcome.error.c_str());
      break;
    }
    benchmark::DoNotOptimize(outcome.rowsWritten);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
  std::fclose(out);
}
BENCHMARK(BM_ReplayDirect)->Unit(benchmark::kMillisecond);

}  // namespace

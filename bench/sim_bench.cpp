// The closed loop on the default scenario, without output files: the simulator's
// own cost plus the block's, reached as `corvalent2 simulate` reaches it, through the
// plug-in module installed into a host record.
#include <benchmark/benchmark.h>

#include "loader/installed_block.h"
#include "plant/plant.h"
#include "plant/scenario.h"
#include "plant/simulation.h"

namespace {

void BM_SimulateDefaultScenario(benchmark::State& state) {
  const substitute_host::plant::ScenarioParse parsed = substitute_host::plant::defaultScenario();
  if (!parsed.ok()) {
    state.SkipWithError(parsed.error.c_str());
    return;
  }
  substitute_host::InstalledBlock block;
  std::string error;
  if (!block.open(substitute_host::pluginPathNextToExecutable(), error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  // The controller's state carries over from one iteration to the next (it is
  // process-wide); every lap still does the same amount of work.
  double simulated = 0.0;
  for (auto _ : state) {
    const auto result = substitute_host::plant::runSimulation(
        parsed.scenario, substitute_host::InstalledBlock::stepThroughSlot, &block);
    if (!result.ok()) {
      state.SkipWithError(result.error.c_str());
      return;
    }
    simulated += result.simulatedSeconds;
    benchmark::DoNotOptimize(result.finalState);
  }
  // Simulated seconds per wall-clock second: the real-time factor (goal: 300 or more).
  state.counters["realtime_factor"] = benchmark::Counter(simulated, benchmark::Counter::kIsRate);
  state.counters["control_steps_per_s"] = benchmark::Counter(
      simulated / substitute_host::plant::kControlStep, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SimulateDefaultScenario)->Unit(benchmark::kMillisecond)->UseRealTime();

// The plant alone: one control step of both motors and the body at the default
// substeps, against voltages that turn with the rotors as a running drive's do.
void BM_PlantControlStep(benchmark::State& state) {
  using namespace substitute_host::plant;
  const Plant plant{PlantParams{}};
  PlantState s = plant.rollingStart(15.0, 0.05);
  const int substeps = static_cast<int>(state.range(0));
  long long steps = 0;
  for (auto _ : state) {
    const Plant::AngleReference ref = Plant::angleReference(s);
    HeldInputs in{};
    in.tanSteer = 0.05;
    for (int m = 0; m < 2; ++m) {
      // 20 V on q, a little on d, in the stationary frame at the rotor's angle.
      const Phasor r = ref.rotor[m];
      in.voltage[m] = {-2.0 * r.c - 20.0 * r.s, -2.0 * r.s + 20.0 * r.c};
    }
    plant.advance(s, in, substeps, ref);
    ++steps;
  }
  benchmark::DoNotOptimize(s);
  state.counters["control_steps_per_s"] =
      benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlantControlStep)->Arg(0)->Arg(1)->Arg(2)->Arg(32);

}  // namespace

// The closed loop on the default scenario, without output files: the simulator's
// own cost plus the block's, reached as `corvalent2 simulate` reaches it, through the
// plug-in module installed into a host record.
#include <benchmark/benchmark.h>

#include "loader/installed_block.h"
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
  // Simulated seconds per wall-clock second: the real-time factor (goal: 100 or more).
  state.counters["realtime_factor"] = benchmark::Counter(simulated, benchmark::Counter::kIsRate);
  state.counters["control_steps_per_s"] = benchmark::Counter(
      simulated / substitute_host::plant::kControlStep, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SimulateDefaultScenario)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

// The closed loop on the default scenario, without output files: the simulator's
// own cost plus the block's, reached as `corvalent2 simulate` reaches it, through the
// plug-in module installed into a host record.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "loader/installed_block.h"
#include "plant/plant.h"
#include "plant/scenario.h"
#include "plant/simulation.h"

namespace {

// A copy of the module under a name of its own: another module to the loader, with a
// controller state of its own, zero when loaded.
class FreshModule {
 public:
  explicit FreshModule(int lap)
      : path_(std::filesystem::temp_directory_path() /
              ("corvalent2-bench-" + std::to_string(::getpid()) + "-" + std::to_string(lap) +
               std::filesystem::path(substitute_host::pluginPathNextToExecutable())
                   .extension()
                   .string())) {}
  ~FreshModule() {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
  }
  FreshModule(const FreshModule&) = delete;
  FreshModule& operator=(const FreshModule&) = delete;

  // False with a message when the copy cannot be made or loaded.
  bool open(substitute_host::InstalledBlock& block, std::string& error) const {
    std::error_code ec;
    std::filesystem::copy_file(substitute_host::pluginPathNextToExecutable(), path_,
                               std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
      error = "copying the module: " + ec.message();
      return false;
    }
    return block.open(path_.string(), error);
  }

 private:
  std::filesystem::path path_;
};

// The default scenario, at its own substeps (0) or at `substeps`. Each lap runs with a
// freshly loaded copy of the module, so each starts from the controller's zero state as
// a run of `corvalent2 simulate` does; loading it is not timed.
void simulateDefaultScenario(benchmark::State& state, int substeps) {
  substitute_host::plant::ScenarioParse parsed = substitute_host::plant::defaultScenario();
  if (!parsed.ok()) {
    state.SkipWithError(parsed.error.c_str());
    return;
  }
  if (substeps > 0) parsed.scenario.substeps = substeps;
  double simulated = 0.0;
  int lap = 0;
  std::optional<FreshModule> module;
  std::optional<substitute_host::InstalledBlock> block;
  for (auto _ : state) {
    state.PauseTiming();
    block.reset();  // the last lap's module is unloaded and removed untimed too
    module.emplace(lap++);
    block.emplace();
    std::string error;
    const bool opened = module->open(*block, error);
    state.ResumeTiming();
    if (!opened) {
      state.SkipWithError(error.c_str());
      return;
    }
    const auto result = substitute_host::plant::runSimulation(
        parsed.scenario, substitute_host::InstalledBlock::stepThroughSlot, &*block);
    if (!result.ok()) {
      state.SkipWithError(result.error.c_str());
      return;
    }
    simulated += result.simulatedSeconds;
    benchmark::DoNotOptimize(result.finalState);
  }
  block.reset();
  // Simulated seconds per wall-clock second: the real-time factor (goal: 300 or more).
  state.counters["realtime_factor"] = benchmark::Counter(simulated, benchmark::Counter::kIsRate);
  state.counters["control_steps_per_s"] = benchmark::Counter(
      simulated / substitute_host::plant::kControlStep, benchmark::Counter::kIsRate);
}

void BM_SimulateDefaultScenario(benchmark::State& state) { simulateDefaultScenario(state, 0); }
BENCHMARK(BM_SimulateDefaultScenario)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same at two substeps, the integrator's error 16 times smaller than the default's.
void BM_SimulateDefaultScenarioTwoSubsteps(benchmark::State& state) {
  simulateDefaultScenario(state, 2);
}
BENCHMARK(BM_SimulateDefaultScenarioTwoSubsteps)->Unit(benchmark::kMillisecond)->UseRealTime();

// The plant alone: one control step of both motors and the body at N substeps (0: the
// step's fixed work alone), against voltages that turn with the rotors as a running
// drive's do.
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

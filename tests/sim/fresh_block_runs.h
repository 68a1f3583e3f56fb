#pragma once

// Closed-loop runs that each start from the controller's zero state, within one test
// process: the controller's state is process-wide and never reset while its module stays
// loaded, so every run loads a copy of the module of its own (a file of another name is
// another module to the loader, with state of its own).

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "loader/installed_block.h"
#include "plant/simulation.h"

namespace substitute_host::plant::fresh_block {

// Every step of `s` in closed loop with a freshly loaded copy of the module; the run
// must complete. `result` receives the run's result when given.
inline std::vector<StepRecord> run(const Scenario& s, SimulationResult* result = nullptr) {
  namespace fs = std::filesystem;
  static int copies = 0;
  const fs::path copy =
      fs::path(::testing::TempDir()) /
      ("Corvalent2-run-" + std::to_string(::getpid()) + "-" + std::to_string(copies++) +
       fs::path(CORVALENT2_MODULE_PATH).extension().string());
  std::error_code ec;
  fs::copy_file(CORVALENT2_MODULE_PATH, copy, fs::copy_options::overwrite_existing, ec);
  EXPECT_FALSE(ec) << "copying the module to " << copy << ": " << ec.message();
  std::vector<StepRecord> rows;
  {
    substitute_host::InstalledBlock block;
    std::string error;
    EXPECT_TRUE(block.open(copy.string(), error)) << error;
    if (error.empty()) {
      const SimulationResult r = runSimulation(s, substitute_host::InstalledBlock::stepThroughSlot,
                                               &block, {}, [&rows](const StepRecord& x) {
                                                 rows.push_back(x);
                                                 return true;
                                               });
      EXPECT_TRUE(r.ok()) << r.error;
      if (result != nullptr) *result = r;
    }
  }
  fs::remove(copy, ec);
  return rows;
}

// A scenario whose q-current demand and steering come in over the first 0.1 s, as a
// driver's would, on a 400 V link.
inline Scenario rampedScenario(double duration, double initialSpeed, double iqCommand,
                               double steer) {
  Scenario s;
  s.duration = duration;
  s.initialSpeed = initialSpeed;
  s.iqCommand = Profile({{0.0, 0.0}, {0.02, iqCommand}});
  s.steerAngle = Profile({{0.0, 0.0}, {0.1, steer}});
  s.udc = Profile({{0.0, 400.0}});
  return s;
}

}  // namespace substitute_host::plant::fresh_block

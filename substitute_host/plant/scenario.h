#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "plant/plant_params.h"
#include "plant/profile.h"

namespace substitute_host::plant {

inline constexpr int kDefaultSubsteps = 1;
inline constexpr int kMaxSubsteps = 64;
inline constexpr double kMaxDuration = 3600.0;  // s; a typo should not run for days
inline constexpr double kMaxSteerAngle = 1.0;   // rad; beyond it the inner wheel turns backwards
// m/s; far beyond any road vehicle, short of speeds whose motor voltages overflow.
inline constexpr double kMaxInitialSpeed = 1000.0;
// A scenario is a few kilobytes; even a recorded drive cycle of a million points fits.
inline constexpr std::size_t kMaxScenarioBytes = std::size_t{32} << 20;

// One closed-loop run: how long, how finely, on which vehicle, with which inputs.
struct Scenario {
  std::string name = "scenario";  // used for output file names
  std::string description;
  double duration = 0.0;            // s
  int substeps = kDefaultSubsteps;  // RK4 steps per control step
  double initialSpeed = 0.0;        // m/s, rolling without slip at t = 0
  PlantParams plant;
  Profile iqCommand;   // A
  Profile steerAngle;  // rad, positive turns left
  Profile udc;         // V
};

struct ScenarioParse {
  Scenario scenario;
  std::string error;        // "scenario: <where>: <why>"; empty when accepted
  bool unreadable = false;  // the file could not be read, as opposed to refused for its content
  bool ok() const { return error.empty(); }
};

// Validates the whole document before accepting any of it; never throws.
ScenarioParse parseScenario(std::string_view jsonText);
// As parseScenario, with the file's stem as the scenario name; a folder or a file that
// cannot be opened or read is unreadable.
ScenarioParse loadScenarioFile(const std::string& path);
// The built-in scenario, the same document as scenarios/default.json.
ScenarioParse defaultScenario();
std::string_view defaultScenarioJson();

}  // namespace substitute_host::plant

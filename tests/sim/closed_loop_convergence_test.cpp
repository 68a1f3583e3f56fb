// The default scenario in closed loop with the block at the default substeps against
// the same run at 32 substeps, where the integrator's own error is far below anything
// the summary shows: the summary's figures must agree within stated tolerances.
#include <gtest/gtest.h>

#include <cmath>

#include "fresh_block_runs.h"
#include "plant/scenario.h"

namespace substitute_host::plant {
namespace {

// The closed loop is sensitive to the last bit: the controller works in single
// precision, so a difference of one rounding in a sensor reading changes the currents'
// ripple from then on. Between any two substep counts the figures therefore differ by
// that ripple's mark, not by the integrator's error alone: about 2e-5 of the final speed
// and position, and up to 0.06 A in the peak and least currents (plants that differ a
// little, such as a tyre 10 % stiffer, show that much too). Allowed: 1e-4 of the speed
// and position, 0.25 A in the currents (a quarter of a percent of the peak), 1e-3 in
// the modulation index (the summary's last digit).
TEST(ConvergenceLaw, TheDefaultScenarioAtTheDefaultSubstepsAgreesWithThirtyTwo) {
  const ScenarioParse parsed = defaultScenario();
  ASSERT_TRUE(parsed.ok()) << parsed.error;
  Scenario fine = parsed.scenario;
  fine.substeps = 32;
  SimulationResult usual, reference;
  fresh_block::run(parsed.scenario, &usual);
  fresh_block::run(fine, &reference);
  ASSERT_EQ(usual.steps, reference.steps);

  const PlantState& a = usual.finalState;
  const PlantState& b = reference.finalState;
  EXPECT_NEAR(a.speed(), b.speed(), 1e-4 * std::abs(b.speed()));
  EXPECT_NEAR(a.posX(), b.posX(), 1e-4 * std::hypot(b.posX(), b.posY()));
  EXPECT_NEAR(a.posY(), b.posY(), 1e-4 * std::hypot(b.posX(), b.posY()));
  EXPECT_NEAR(usual.stats.peakSpeed, reference.stats.peakSpeed, 1e-4 * reference.stats.peakSpeed);
  for (int m = 0; m < 2; ++m) {
    SCOPED_TRACE(m);
    EXPECT_NEAR(usual.stats.peakCurrent[m], reference.stats.peakCurrent[m], 0.25);
    EXPECT_NEAR(usual.stats.minId[m], reference.stats.minId[m], 0.25);
    EXPECT_NEAR(usual.stats.peakModIndex[m], reference.stats.peakModIndex[m], 1e-3);
  }
  EXPECT_GT(b.speed(), 20.0);  // the scenario did run into field weakening
  EXPECT_TRUE(reference.stats.fieldWeakeningEngaged(0));
}

}  // namespace
}  // namespace substitute_host::plant

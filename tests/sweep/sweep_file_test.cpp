// The sweep file: what it accepts, the runs it gives and in which order, and the
// messages of what it refuses.
#include <gtest/gtest.h>

#include <string>

#include "plant/scenario.h"
#include "sweep/run_values.h"
#include "sweep/sweep_file.h"

namespace {

using namespace substitute_host::sweep;

const std::string kScenario =
    R"({"duration": 0.1, "profiles": {"iqCommand": [[0, 10]], "steerAngle": [[0, 0]],
        "udc": [[0, 400], [0.05, 380]]}})";

SweepDefinition accepted(const std::string& vary, const std::string& rest = "") {
  const SweepParse parsed =
      parseSweep(R"({"scenario": )" + kScenario + R"(, "vary": )" + vary + rest + "}", ".");
  EXPECT_TRUE(parsed.ok()) << parsed.error;
  return parsed.sweep;
}

std::string refusal(const std::string& text) {
  const SweepParse parsed = parseSweep(text, ".");
  EXPECT_FALSE(parsed.ok()) << text;
  return parsed.error;
}

TEST(SweepGrid, IsTheProductOfTheListsInKeyOrderWithTheLastKeyFastest) {
  const SweepDefinition sweep = accepted(
      R"({"initialSpeed": [5, 10], "plant.vehicleMass": {"from": 400, "to": 600, "count": 3}})");
  ASSERT_EQ(runCount(sweep), 6u);
  const double expected[6][2] = {{5, 400}, {5, 500}, {5, 600}, {10, 400}, {10, 500}, {10, 600}};
  for (std::uint64_t i = 0; i < 6; ++i) {
    const std::vector<double> values = runValues(sweep, i);
    EXPECT_EQ(values[0], expected[i][0]) << "run " << i;
    EXPECT_EQ(values[1], expected[i][1]) << "run " << i;
  }
}

TEST(SweepGrid, ARangeEndsExactlyOnItsLastValue) {
  // 0.1 steps do not add up to 0.3 in binary; the last value is `to` as written.
  const SweepDefinition sweep = accepted(R"({"duration": {"from": 0.1, "to": 0.3, "count": 3}})");
  EXPECT_EQ(runValues(sweep, 0)[0], 0.1);
  EXPECT_EQ(runValues(sweep, 2)[0], 0.3);
}

TEST(SweepGrid, EachGridPointGetsSamplesRunsOfDraws) {
  const SweepDefinition sweep =
      accepted(R"({"initialSpeed": [1, 2, 3], "plant.vehicleMass": {"uniform": [400, 600]}})",
               R"(, "samples": 4)");
  ASSERT_EQ(runCount(sweep), 12u);
  for (std::uint64_t i = 0; i < 12; ++i) EXPECT_EQ(runValues(sweep, i)[0], 1.0 + i / 4) << i;
}

TEST(SweepDraws, DependOnTheSeedAndTheRunIndexAlone) {
  const std::string vary = R"({"plant.vehicleMass": {"uniform": [400, 600]},
                               "initialSpeed": {"normal": [10, 2]}})";
  const SweepDefinition sweep = accepted(vary, R"(, "samples": 50, "seed": 7)");
  const SweepDefinition again = accepted(vary, R"(, "samples": 50, "seed": 7)");
  // Run 37 alone, with nothing drawn before it, has the numbers it has within the sweep.
  const std::vector<double> alone = runValues(again, 37);
  for (std::uint64_t i = 0; i < 50; ++i) (void)runValues(sweep, i);
  EXPECT_EQ(runValues(sweep, 37), alone);
  EXPECT_NE(runValues(sweep, 36), alone);
  EXPECT_NE(runValues(accepted(vary, R"(, "samples": 50, "seed": 8)"), 37), alone);
}

TEST(SweepDraws, UniformDrawsStayInTheirRangeAndFillIt) {
  const SweepDefinition sweep = accepted(R"({"plant.vehicleMass": {"uniform": [400, 600]}})",
                                  R"(, "samples": 4000)");
  double low = 1e9, high = -1e9, sum = 0;
  for (std::uint64_t i = 0; i < 4000; ++i) {
    const double v = runValues(sweep, i)[0];
    ASSERT_GE(v, 400.0);
    ASSERT_LT(v, 600.0);
    low = std::min(low, v);
    high = std::max(high, v);
    sum += v;
  }
  // 4000 draws leave no gap of 1% at either end (chance 2 * 0.99^4000), and the mean of
  // a uniform on [400, 600] (sd 57.7) lies within 4 standard errors (3.7) of 500.
  EXPECT_LT(low, 402.0);
  EXPECT_GT(high, 598.0);
  EXPECT_NEAR(sum / 4000, 500.0, 4 * 57.7 / std::sqrt(4000.0));
}

TEST(SweepDraws, NormalDrawsHaveTheirMeanAndDeviation) {
  const SweepDefinition sweep = accepted(R"({"initialSpeed": {"normal": [10, 2]}})", R"(, "samples": 10000)");
  double sum = 0, squares = 0;
  for (std::uint64_t i = 0; i < 10000; ++i) {
    const double v = runValues(sweep, i)[0];
    sum += v;
    squares += v * v;
  }
  const double mean = sum / 10000, sd = std::sqrt(squares / 10000 - mean * mean);
  // Standard errors: 2/sqrt(10000) = 0.02 for the mean, about 2/sqrt(20000) = 0.014 for
  // the deviation; 4 of them each.
  EXPECT_NEAR(mean, 10.0, 0.08);
  EXPECT_NEAR(sd, 2.0, 0.06);
}

TEST(SweepScenario, EveryRunsScenarioIsAcceptedWithItsValuesWrittenIn) {
  const SweepDefinition sweep = accepted(
      R"({"substeps": [1, 4], "profiles.udc.1.1": [300, 350], "profiles.udc.1.0": [0.02],
          "plant.tyreFriction": {"uniform": [0.8, 1.0]}})");
  for (std::uint64_t i = 0; i < runCount(sweep); ++i) {
    const std::vector<double> values = runValues(sweep, i);
    const auto parsed = substitute_host::plant::parseScenario(runScenario(sweep, i).dump());
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    EXPECT_EQ(parsed.scenario.substeps, values[0]);
    EXPECT_EQ(parsed.scenario.udc.points()[1].value, values[1]);
    EXPECT_EQ(parsed.scenario.udc.points()[1].time, 0.02);
    EXPECT_EQ(parsed.scenario.plant.tyreFriction, values[3]);
  }
}

TEST(SweepFile, RefusesWithAMessageNamingTheKey) {
  const std::string s = R"({"scenario": )" + kScenario;
  const struct {
    std::string text, message;
  } cases[] = {
      {s + R"(, "vary": {"plant.mass": [1]}})",
       "sweep: vary.plant.mass: unknown key: the plant has no value named 'mass'"},
      {s + R"(, "vary": {"profiles.udc.2.1": [1]}})",
       "sweep: vary.profiles.udc.2.1: the base scenario's udc profile has 2 points, so no point 2"},
      {s + R"(, "vary": {"profiles.udc.0.2": [1]}})",
       "sweep: vary.profiles.udc.0.2: the last part must be 0 (the point's time) or 1 (its value), got '2'"},
      {s + R"(, "vary": {"description": [1]}})", "sweep: vary.description: unknown key"},
      {s + R"(, "vary": {"duration": []}})", "sweep: vary.duration: an empty list gives no values"},
      {s + R"(, "vary": {"duration": [1, "x"]}})", "sweep: vary.duration[1]: expected a number, got a string"},
      {s + R"(, "vary": {"duration": {"from": 1, "to": 2}}})", "sweep: vary.duration.count: required key is missing"},
      {s + R"(, "vary": {"duration": {"from": 1, "to": 2, "count": 2.5}}})",
       "sweep: vary.duration.count: expected a whole number from 1 to 1000000, got 2.5"},
      {s + R"(, "vary": {"duration": {"uniform": [2, 1]}}})", "sweep: vary.duration.uniform: low 2 is above high 1"},
      {s + R"(, "vary": {"duration": {"normal": [2, -1]}}})",
       "sweep: vary.duration.normal[1]: a standard deviation must not be negative, got -1"},
      {s + R"(, "vary": {"duration": {"uniform": [1, 2], "x": 1}}})", "sweep: vary.duration.x: unknown key"},
      {s + R"(, "samples": 0})", "sweep: samples: must be from 1 to 1000000, got 0"},
      {s + R"(, "seed": -1})", "sweep: seed: must be from 0 to 18446744073709551615, got -1"},
      {s + R"(, "vari": {}})", "sweep: vari: unknown key"},
      {R"({"vary": {}})", "sweep: scenario: required key is missing"},
      {R"({"scenario": {"duration": 0}})", "sweep: scenario: refused: scenario: duration: must be above 0"},
      {R"({"scenario": "no-such-file.json"})", "sweep: scenario: cannot read './no-such-file.json'"},
      {s + R"(, "seed": 1, "seed": 2})", "sweep: key 'seed' appears twice in one object"},
      {"[1]", "sweep: expected an object at the top level, got an array"},
      {"{", "sweep: not valid JSON: "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(refusal(c.text).rfind(c.message, 0), 0u)
        << "got: " << refusal(c.text) << "\nwanted: " << c.message;
  }
}

}  // namespace

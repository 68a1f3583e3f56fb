// A task's runs against a stand-in for simulate (stand_in_simulate.sh): a failed run is
// recorded and the task goes on; a run stopped from outside gets no part and stops it.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "sweep/run_task.h"
#include "sweep/run_values.h"
#include "sweep/sweep_file.h"

namespace {

namespace fs = std::filesystem;
using namespace substitute_host::sweep;

class TaskRuns : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "corvalent2_task_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    setup_.folder = pattern;
    setup_.tool = CORVALENT2_SWEEP_TEST_DATA "/stand_in_simulate.sh";
    fs::create_directory(setup_.folder / kPartsFolder);
  }
  void TearDown() override { fs::remove_all(setup_.folder); }

  // A plan whose runs have these initial speeds, all in one task.
  Plan planOf(const std::string& speeds) const {
    const SweepParse parsed = parseSweep(
        R"({"scenario": {"duration": 0.1, "profiles": {"iqCommand": [[0, 10]],
            "steerAngle": [[0, 0]], "udc": [[0, 400]]}}, "vary": {"initialSpeed": )" +
            speeds + "}}",
        ".");
    EXPECT_TRUE(parsed.ok()) << parsed.error;
    Plan plan;
    plan.sweep = parsed.sweep;
    plan.runs = runCount(plan.sweep);
    plan.chunk = plan.runs;
    return plan;
  }
  PartRead part(std::uint64_t index) const { return readPart(setup_.folder / kPartsFolder, index); }

  RunSetup setup_;
  std::ostringstream err_;
};

TEST_F(TaskRuns, AFailedRunRecordsItsErrorAndTheOthersStillRun) {
  const Plan plan = planOf("[1, 3, 0]");
  EXPECT_EQ(runTask(plan, setup_, 0, plan.chunk, err_), 0u) << err_.str();
  ASSERT_EQ(part(0).state, PartState::present);
  EXPECT_EQ(part(0).part.status, "scenario: refused, as the test asks");
  ASSERT_EQ(part(1).state, PartState::present);
  EXPECT_EQ(part(1).part.status, "it was ended by signal 6");
  ASSERT_EQ(part(2).state, PartState::present);
  EXPECT_EQ(part(2).part.status, "ok");
  EXPECT_EQ(part(2).part.figures[0], 7.0);
  // The run's hidden working files are gone; only the parts are left.
  EXPECT_EQ(std::distance(fs::directory_iterator(setup_.folder / kPartsFolder),
                          fs::directory_iterator()), 3);
}

TEST_F(TaskRuns, ARunStoppedFromOutsideGetsNoPartAndStopsTheTask) {
  const Plan plan = planOf("[0, 2, 0]");
  EXPECT_EQ(runTask(plan, setup_, 0, plan.chunk, err_), 2u);
  EXPECT_EQ(part(0).state, PartState::present);
  // Not a failure of the run: missing, so that gather names its rerun.
  EXPECT_EQ(part(1).state, PartState::missing);
  EXPECT_EQ(part(2).state, PartState::missing);
  EXPECT_NE(err_.str().find("no part of run 1 written: the run was stopped from outside"),
            std::string::npos) << err_.str();
}

TEST_F(TaskRuns, ATaskRunsItsOwnRunsOnlyTheLastOneClipped) {
  Plan plan = planOf("[0, 0, 0, 0, 0]");
  plan.chunk = 2;
  EXPECT_EQ(runTask(plan, setup_, 2, plan.chunk, err_), 0u);
  for (std::uint64_t i = 0; i < 4; ++i) EXPECT_EQ(part(i).state, PartState::missing) << i;
  EXPECT_EQ(part(4).state, PartState::present);
}

}  // namespace

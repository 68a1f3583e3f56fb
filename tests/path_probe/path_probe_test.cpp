// Which of the two host paths a command takes: the tool drives a module that marks
// each output with the path that produced it (1: the output slot, 2: host flag 104
// through the gateway), so an option that selects a path cannot be ignored unnoticed.
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/replay/subprocess.h"

namespace {

const std::string kInputHeader =
    "iabc1_a,iabc1_b,iabc1_c,theta1,omega1,iabc2_a,iabc2_b,iabc2_c,theta2,omega2,udc,"
    "iqCommand,steerAngle\n";
const std::string kInputRow = "1,2,3,0.5,100,1,2,3,0.5,100,400,10,0.1\n";

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) result.push_back(line);
  return result;
}

class PathProbe : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = makeScratchDirectory();
    input_ = directory_ + "/in.csv";
    writeFile(input_, kInputHeader + kInputRow + kInputRow + kInputRow);
  }
  // The data rows of a replay through the probe module with the options given.
  std::vector<std::string> replayRows(std::vector<std::string> options) {
    std::vector<std::string> args = {"replay", input_, "--module", CORVALENT2_PROBE_MODULE};
    args.insert(args.end(), options.begin(), options.end());
    const ProcessResult result = runCorvalent2(args);
    EXPECT_EQ(result.exitStatus, 0) << result.standardError;
    std::vector<std::string> rows = lines(result.standardOutput);
    EXPECT_EQ(rows.size(), 4u) << result.standardOutput;
    if (!rows.empty()) rows.erase(rows.begin());
    return rows;
  }
  std::string directory_, input_;
};

const std::vector<std::string> kSlotRows(3, "1,1,1,1,1,1");
const std::vector<std::string> kFlagRows(3, "2,2,2,2,2,2");

TEST_F(PathProbe, ReplayTakesTheSlotByDefaultAndThePathItIsAskedFor) {
  EXPECT_EQ(replayRows({}), kSlotRows);
  EXPECT_EQ(replayRows({"--via", "slot"}), kSlotRows);
  EXPECT_EQ(replayRows({"--via", "flag"}), kFlagRows);
}

TEST_F(PathProbe, DirectReplayRunsTheLinkedControllerAndNoModule) {
  const ProcessResult result = runCorvalent2({"replay", input_, "--direct"});
  ASSERT_EQ(result.exitStatus, 0) << result.standardError;
  const std::vector<std::string> rows = lines(result.standardOutput);
  ASSERT_EQ(rows.size(), 4u);
  for (std::size_t r = 1; r < rows.size(); ++r) {
    EXPECT_NE(rows[r], kSlotRows[0]);
    EXPECT_NE(rows[r], kFlagRows[0]);
  }
}

TEST_F(PathProbe, SimulationRunsTheModuleItIsGivenThroughTheSlot) {
  const std::string scenario = directory_ + "/short.json";
  writeFile(scenario,
            "{\"duration\": 0.001, \"initialSpeed\": 5.0, \"profiles\": {\"iqCommand\": "
            "[[0.0, 50.0]], \"steerAngle\": [[0.0, 0.0]], \"udc\": [[0.0, 400.0]]}}");
  const ProcessResult result =
      runCorvalent2({"simulate", scenario, "-o", directory_, "--no-plot", "--module",
                     CORVALENT2_PROBE_MODULE});
  ASSERT_EQ(result.exitStatus, 0) << result.standardError;
  const std::vector<std::string> log = lines(readFile(directory_ + "/short.csv"));
  ASSERT_GT(log.size(), 2u);
  const std::string outputs = "vabcNorm1_a,vabcNorm1_b,vabcNorm1_c,vabcNorm2_a,vabcNorm2_b,vabcNorm2_c";
  const std::size_t at = log[0].find(outputs);
  ASSERT_NE(at, std::string::npos) << log[0];
  // The column of vabcNorm1_a, counted by the commas before it.
  const auto column = std::count(log[0].begin(), log[0].begin() + at, ',');
  for (std::size_t r = 1; r < log.size(); ++r) {
    std::istringstream row(log[r]);
    std::string field;
    for (long c = 0; c <= column + 5 && std::getline(row, field, ','); ++c) {
      if (c < column) continue;
      EXPECT_EQ(field, "1") << "row " << r << ", column " << c;
    }
  }
}

}  // namespace

// The worked example through the real controller, from its zero state in a fresh
// process: two identical input rows, outputs compared by bit pattern.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "subprocess.h"
#include "table/single_text.h"
#include "tests/support/exact_values.h"

namespace {

const std::string kExample = CORVALENT2_REPLAY_DATA "/worked_example.csv";

// The values of one output line, each read as the single it names.
std::vector<float> valuesOf(const std::string& line) {
  std::vector<float> values;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = line.find(',', start);
    float value = 0.0f;
    EXPECT_TRUE(substitute_host::parseInputValue(line.substr(start, comma - start), value)) << line;
    values.push_back(value);
    if (comma == std::string::npos) return values;
    start = comma + 1;
  }
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0, end;
  while ((end = text.find('\n', start)) != std::string::npos) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  EXPECT_EQ(start, text.size()) << "the output ends with a newline";
  return lines;
}

TEST(WorkedExample, ReplaysToTheExpectedBits) {
  const ProcessResult result = runCorvalent2({"replay", kExample});
  ASSERT_EQ(result.exitStatus, 0) << result.standardError;
  const std::vector<std::string> lines = linesOf(result.standardOutput);
  ASSERT_EQ(lines.size(), 3u) << result.standardOutput;
  EXPECT_EQ(lines[0], "vabcNorm1_a,vabcNorm1_b,vabcNorm1_c,vabcNorm2_a,vabcNorm2_b,vabcNorm2_c");

  const char* const want[2][6] = {{"0.159838676", "-0.168883681", "0.0090450095", "-0.167575181",
                                   "-0.0112298969", "0.178805083"},
                                  {"-0.896777093", "0.855119169", "0.0416579433", "0.516020298",
                                   "0.439304084", "-0.955324411"}};
  for (int row = 0; row < 2; ++row) {
    const std::vector<float> got = valuesOf(lines[row + 1]);
    ASSERT_EQ(got.size(), 6u) << lines[row + 1];
    for (int i = 0; i < 6; ++i) {
      EXPECT_TRUE(isSingle(got[i], want[row][i])) << "row " << row + 1 << ", value " << i + 1;
    }
  }
}

TEST(WorkedExample, ColumnOrderAndExtraColumnsDoNotChangeTheResult) {
  const std::string reference = runCorvalent2({"replay", kExample}).standardOutput;
  // The same rows with the ports shuffled, an unused column, spaces and CRLF ends.
  const std::string shuffled =
      "time, steerAngle,udc,omega2,theta2,iabc2_c,iabc2_b,iabc2_a,iqCommand,omega1,theta1,"
      "iabc1_c,iabc1_b,iabc1_a\r\n"
      "0, 0.005,400,100,1.2,-3,-2,5,0,100,0.5,-0.43,8,-7.57\r\n"
      "1e-4, 5e-3,4e2,1e2,1.20,-3.0,-2,5,0.0,100,.5,-.43,8.0,-7.570\r\n";
  const std::string directory = makeScratchDirectory();
  writeFile(directory + "/shuffled.csv", shuffled);
  const ProcessResult result = runCorvalent2({"replay", directory + "/shuffled.csv"});
  EXPECT_EQ(result.exitStatus, 0) << result.standardError;
  EXPECT_EQ(result.standardOutput, reference);
}

}  // namespace

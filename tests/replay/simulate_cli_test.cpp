// `corvalent2 simulate` as a user meets it: the loaded module in closed loop, the files
// it writes, and the scenarios it refuses.
#include <string>

#include <gtest/gtest.h>

#include "subprocess.h"

namespace {

const std::string kShortRun = R"({
  "duration": 0.05,
  "initialSpeed": 3.0,
  "profiles": {"iqCommand": [[0, 40]], "steerAngle": [[0, 0.1]], "udc": [[0, 400]]}
})";

TEST(SimulateCommand, RunsTheModuleAndWritesOneCsvRowPerStep) {
  const std::string dir = makeScratchDirectory();
  writeFile(dir + "/short.json", kShortRun);
  const ProcessResult result =
      runCorvalent2({"simulate", dir + "/short.json", "-o", dir + "/out", "--no-plot"});
  ASSERT_EQ(result.exitStatus, 0) << result.standardError;
  EXPECT_NE(result.standardOutput.find("Real-time factor"), std::string::npos);
  const std::string csv = readFile(dir + "/out/short.csv");
  std::size_t lines = 0;
  for (char c : csv) lines += c == '\n';
  EXPECT_EQ(lines, 1u + 1000u);  // the header, then 0.05 s of 50 us steps
  const ProcessResult decimated = runCorvalent2(
      {"simulate", dir + "/short.json", "-o", dir + "/tenth", "--no-plot", "--decimate", "10"});
  ASSERT_EQ(decimated.exitStatus, 0) << decimated.standardError;
  lines = 0;
  for (char c : readFile(dir + "/tenth/short.csv")) lines += c == '\n';
  EXPECT_EQ(lines, 1u + 100u);
}

TEST(SimulateCommand, RefusedScenariosExitTwoNamingTheKeyAndRunNothing) {
  const std::string dir = makeScratchDirectory();
  const struct {
    const char* json;
    const char* message;
  } refusals[] = {
      {R"({"duration": 1, "speed": 3, "profiles": {"iqCommand": [[0, 1]], "steerAngle": [[0, 0]], "udc": [[0, 400]]}})",
       "speed: unknown key"},
      {R"({"duration": "long", "profiles": {"iqCommand": [[0, 1]], "steerAngle": [[0, 0]], "udc": [[0, 400]]}})",
       "duration"},
      {R"({"duration": 1, "profiles": {"iqCommand": [[0, 1], [0, 2]], "steerAngle": [[0, 0]], "udc": [[0, 400]]}})",
       "profiles.iqCommand[1]"},
      {R"({"profiles": {"iqCommand": [[0, 1]], "steerAngle": [[0, 0]], "udc": [[0, 400]]}})",
       "duration: required key is missing"},
  };
  for (const auto& refusal : refusals) {
    writeFile(dir + "/bad.json", refusal.json);
    const ProcessResult result = runCorvalent2({"simulate", dir + "/bad.json", "-o", dir + "/out"});
    EXPECT_EQ(result.exitStatus, 2) << refusal.json;
    EXPECT_NE(result.standardError.find(refusal.message), std::string::npos)
        << result.standardError;
    EXPECT_TRUE(readFile(dir + "/out/bad.csv").empty());
  }
  const ProcessResult noModule = runCorvalent2(
      {"simulate", "--module", dir + "/missing.mexa64", "-o", dir + "/out"});
  EXPECT_EQ(noModule.exitStatus, 2);
}

}  // namespace

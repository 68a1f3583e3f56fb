// The corvalent2 tool as a user meets it: help, exit statuses, and files on the
// command line or on standard streams.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "scratch_directory_test.h"
#include "subprocess.h"

namespace {

namespace fs = std::filesystem;

const std::string kHeader =
    "iabc1_a,iabc1_b,iabc1_c,theta1,omega1,iabc2_a,iabc2_b,iabc2_c,theta2,omega2,udc,"
    "iqCommand,steerAngle\n";
const std::string kRow = "-7.57,8,-0.43,0.5,100,5,-2,-3,1.2,100,400,0,0.005\n";
const std::string kOutputHeader =
    "vabcNorm1_a,vabcNorm1_b,vabcNorm1_c,vabcNorm2_a,vabcNorm2_b,vabcNorm2_c\n";

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::size_t lineCount(const std::string& text) {
  std::size_t lines = 0;
  for (char c : text) lines += c == '\n';
  return lines;
}

class Corvalent2Tool : public ScratchDirectoryTest {};

TEST_F(Corvalent2Tool, HelpExitsZero) {
  ProcessResult result = runCorvalent2({"--help"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_TRUE(contains(result.standardOutput, "replay")) << result.standardOutput;

  result = runCorvalent2({"replay", "--help"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_TRUE(contains(result.standardOutput, "--output")) << result.standardOutput;
  EXPECT_TRUE(contains(result.standardOutput, "IN")) << result.standardOutput;
}

TEST_F(Corvalent2Tool, UsageErrorsExitTwo) {
  // No subcommand: the help goes to standard error, as there was nothing to do.
  ProcessResult result = runCorvalent2({});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_TRUE(contains(result.standardError, "replay")) << result.standardError;
  EXPECT_EQ(result.standardOutput, "");

  for (const auto& args : std::vector<std::vector<std::string>>{
           {"frobnicate"}, {"--frobnicate"}, {"replay", "--frobnicate"},
           {"replay", "a.csv", "b.csv"}, {"replay", "-o"}}) {
    result = runCorvalent2(args);
    EXPECT_EQ(result.exitStatus, 2) << args.back();
    EXPECT_FALSE(result.standardError.empty()) << args.back();
  }
}

TEST_F(Corvalent2Tool, ReplaysBetweenFilesAndStandardStreams) {
  const std::string in = file("in.csv", kHeader + kRow + kRow);
  ProcessResult result = runCorvalent2({"replay", in, "-o", path("out.csv")});
  ASSERT_EQ(result.exitStatus, 0) << result.standardError;
  EXPECT_EQ(result.standardOutput, "");
  const std::string viaFiles = readFile(path("out.csv"));
  EXPECT_EQ(viaFiles.substr(0, kOutputHeader.size()), kOutputHeader);
  EXPECT_EQ(lineCount(viaFiles), 3u);

  // Each process starts the controller from zero, so every route gives the same text.
  result = runCorvalent2({"replay"}, in);
  EXPECT_EQ(result.exitStatus, 0) << result.standardError;
  EXPECT_EQ(result.standardOutput, viaFiles);
  result = runCorvalent2({"replay", "-", "--output", "-"}, in);
  EXPECT_EQ(result.exitStatus, 0) << result.standardError;
  EXPECT_EQ(result.standardOutput, viaFiles);
}

TEST_F(Corvalent2Tool, BadInputExitsTwoAfterWritingTheGoodRows) {
  const std::string in = file("bad.csv", kHeader + kRow + kRow + "1,2,3,x,5,6,7,8,9,10,11,12,13\n" + kRow);
  const ProcessResult result = runCorvalent2({"replay", in});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_TRUE(contains(result.standardError, in + ": line 4, column 'theta1' (field 4)"))
      << result.standardError;
  const std::string& written = result.standardOutput;
  EXPECT_EQ(lineCount(written), 3u) << written;

  // The same two good rows as from a file that stops before the bad line.
  const std::string good = file("good.csv", kHeader + kRow + kRow);
  EXPECT_EQ(runCorvalent2({"replay", good}).standardOutput, written);
}

TEST_F(Corvalent2Tool, AFailedReplayLeavesNoOutputFile) {
  const std::string in =
      file("bad.csv", kHeader + kRow + kRow + "1,2,3,x,5,6,7,8,9,10,11,12,13\n" + kRow);
  ProcessResult result = runCorvalent2({"replay", in, "-o", path("out.csv")});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(result.standardError, "corvalent2 replay: " + in +
                                      ": line 4, column 'theta1' (field 4): 'x' is not a number\n");
  EXPECT_FALSE(fs::exists(path("out.csv")));

  // A truncated input: its last row is cut short. An earlier output stays as it was.
  const std::string truncated = file("truncated.csv", kHeader + kRow + "-7.57,8,-0.43");
  writeFile(path("earlier.csv"), "earlier\n");
  result = runCorvalent2({"replay", truncated, "-o", path("earlier.csv")});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(result.standardError,
            "corvalent2 replay: " + truncated +
                ": line 3, column 'theta1' (field 4): the row ends after 3 fields; the header "
                "has 13\n");
  EXPECT_EQ(readFile(path("earlier.csv")), "earlier\n");
  // Nothing else is left in the folder, not even under another name.
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(directory_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"bad.csv", "earlier.csv", "truncated.csv"}));
}

TEST_F(Corvalent2Tool, UnusableFilesExitTwoAndFailedWritesOne) {
  ProcessResult result = runCorvalent2({"replay", path("absent.csv")});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_TRUE(contains(result.standardError, "absent.csv")) << result.standardError;

  const std::string in = file("in.csv", kHeader + kRow);
  result = runCorvalent2({"replay", in, "-o", path("no/such/dir/out.csv")});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_TRUE(contains(result.standardError, "out.csv")) << result.standardError;

  result = runCorvalent2({"replay", in, "-o", in});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(readFile(in), kHeader + kRow) << "the input survives";

  result = runCorvalent2({"replay", in, "-o", "/dev/full"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_TRUE(contains(result.standardError, "writing the output failed")) << result.standardError;

  result = runCorvalent2({"replay", file("empty.csv", "")});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_TRUE(contains(result.standardError, "line 1")) << result.standardError;
}

}  // namespace

#include "target_replay/target_replay.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/replay/scratch_directory_test.h"
#include "tests/replay/temp_stream.h"

namespace substitute_host {
namespace {

using Status = ReplayOutcome::Status;

constexpr const char* kInputCsv =
    "iabc1_a,iabc1_b,iabc1_c,theta1,omega1,iabc2_a,iabc2_b,iabc2_c,theta2,omega2,udc,"
    "iqCommand,steerAngle\n"
    "1,2,3,4,5,6,7,8,9,10,11,12,13\n"
    "14,15,16,17,18,19,20,21,22,23,24,25,26\n";

// A stand-in for QEMU: `sh SCRIPT` in the scratch folder, as the user-mode emulator
// is started with the runner's path.
constexpr TargetProgram kStandIn = {"stand-in", "runner.sh", "sh", "the-package", ""};

class TargetReplayTest : public ScratchDirectoryTest {
 protected:
  ReplayOutcome replayWith(const std::string& script, std::string& output) {
    const FilePtr in = streamOf(kInputCsv);
    const FilePtr out = emptyStream();
    const ReplayOutcome outcome = replayOnTarget(in.get(), out.get(), kStandIn,
                                                 file("runner.sh", script));
    output = contentsOf(out.get());
    return outcome;
  }
};

TEST_F(TargetReplayTest, RowsGoToTheTargetAndItsOutputsComeBackAsCsv) {
  // Each "output row" is the next six singles of the input file: rows.in must hold the
  // inputs as singles in port order, and rows.out be read back row by row.
  std::string output;
  const ReplayOutcome outcome = replayWith(
      "n=$(( $(wc -c < rows.in) / 52 * 24 ))\nhead -c \"$n\" rows.in > rows.out\n", output);
  ASSERT_EQ(outcome.status, Status::ok) << outcome.error;
  EXPECT_EQ(outcome.rowsWritten, 2u);
  EXPECT_EQ(output,
            "vabcNorm1_a,vabcNorm1_b,vabcNorm1_c,vabcNorm2_a,vabcNorm2_b,vabcNorm2_c\n"
            "1,2,3,4,5,6\n7,8,9,10,11,12\n");
}

TEST_F(TargetReplayTest, TheFloatingPointModeRefusalIsNamed) {
  std::string output;
  const ReplayOutcome outcome = replayWith("exit 5\n", output);
  EXPECT_EQ(outcome.status, Status::targetFailed);
  EXPECT_EQ(outcome.error,
            "the target's floating-point control has flush-to-zero or default-NaN set");
}

TEST_F(TargetReplayTest, ARunnerThatWritesNothingFails) {
  std::string output;
  EXPECT_EQ(replayWith("exit 0\n", output).status, Status::targetFailed);
}

TEST_F(TargetReplayTest, AMissingEmulatorNamesItsPackage) {
  constexpr TargetProgram kAbsent = {"absent", "runner", "corvalent2-no-such-emulator",
                                     "the-package", ""};
  const FilePtr in = streamOf(kInputCsv);
  const FilePtr out = emptyStream();
  const ReplayOutcome outcome =
      replayOnTarget(in.get(), out.get(), kAbsent, file("runner", ""));
  EXPECT_EQ(outcome.status, Status::targetMissing);
  EXPECT_EQ(outcome.error,
            "corvalent2-no-such-emulator not found: install the Debian package the-package "
            "(scripts/install-deps targets)");
}

TEST_F(TargetReplayTest, TheToolRefusesATargetNotBuiltAndNamesTheBuildCommand) {
  const ProcessResult result =
      runCorvalent2({"replay", "--target", "cortex-m4f", "--target-build", directory_,
                     file("in.csv", kInputCsv), "-o", path("out.csv")});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_NE(result.standardError.find("build it with scripts/build-target cortex-m4f"),
            std::string::npos)
      << result.standardError;
  EXPECT_FALSE(std::filesystem::exists(path("out.csv")));
}

TEST_F(TargetReplayTest, TheToolTakesATargetAloneAndOnlyOneItKnows) {
  const std::string in = file("in.csv", kInputCsv);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"replay", "--target", "aarch64", "--direct", in},
        std::vector<std::string>{"replay", "--target", "aarch64", "--via", "flag", in},
        std::vector<std::string>{"replay", "--target", "cortex-m0", in},
        std::vector<std::string>{"replay", "--target-build", directory_, in}}) {
    const ProcessResult result = runCorvalent2(args);
    EXPECT_EQ(result.exitStatus, 2) << args[2] << " " << args[3];
    EXPECT_EQ(result.standardOutput, "") << args[2] << " " << args[3];
  }
}

}  // namespace
}  // namespace substitute_host

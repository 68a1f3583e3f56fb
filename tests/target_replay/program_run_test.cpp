#include "target_replay/program_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "target_replay/target_programs.h"
#include "tests/replay/scratch_directory_test.h"

namespace substitute_host {
namespace {

using ProgramRunTest = ScratchDirectoryTest;

TEST_F(ProgramRunTest, RunsInTheFolderGivenWithEachArgumentAsItIs) {
  // A name with a space and a shell's special characters stays one argument.
  const ProgramRun run = runInFolder({"touch", "made here; $(x) *"}, directory_);
  ASSERT_TRUE(run.started) << run.error;
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_TRUE(std::filesystem::exists(path("made here; $(x) *")));
}

TEST_F(ProgramRunTest, HandsBackTheExitStatus) {
  const ProgramRun run = runInFolder({"sh", "-c", "exit 5"}, directory_);
  ASSERT_TRUE(run.started) << run.error;
  EXPECT_EQ(run.exitStatus, 5);
}

TEST_F(ProgramRunTest, AProgramThatIsNotThereIsNotFound) {
  const ProgramRun run = runInFolder({"corvalent2-no-such-emulator"}, directory_);
  EXPECT_FALSE(run.started);
  EXPECT_TRUE(run.notFound);
}

TEST(ScratchFolder, IsMadeEmptyAndRemovedWithItsFiles) {
  std::filesystem::path kept;
  {
    const ScratchFolder scratch;
    ASSERT_FALSE(scratch.path().empty()) << scratch.error();
    kept = scratch.path();
    EXPECT_TRUE(std::filesystem::is_empty(kept));
    writeFile((kept / "rows.in").string(), "x");
  }
  EXPECT_FALSE(std::filesystem::exists(kept));
}

TEST(TargetPrograms, TheBoardsAndTheRunnerPathAsOneArgument) {
  const TargetProgram* m7 = findTarget("cortex-m7");
  ASSERT_NE(m7, nullptr);
  const std::vector<std::string> command = emulatorCommand(*m7, "/a b/runner.elf");
  EXPECT_EQ(command.front(), "qemu-system-arm");
  EXPECT_EQ(command.back(), "/a b/runner.elf");
  EXPECT_NE(std::find(command.begin(), command.end(), "mps2-an500"), command.end());
  const std::vector<std::string> m4 = emulatorCommand(*findTarget("cortex-m4f"), "r");
  EXPECT_NE(std::find(m4.begin(), m4.end(), "mps2-an386"), m4.end());
  EXPECT_EQ(emulatorCommand(*findTarget("aarch64"), "r"),
            (std::vector<std::string>{"qemu-aarch64", "r"}));
  EXPECT_EQ(findTarget("cortex-m0"), nullptr);
}

}  // namespace
}  // namespace substitute_host

#include "target_replay/row_files.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/replay/scratch_directory_test.h"
#include "tests/replay/temp_stream.h"

namespace substitute_host {
namespace {

using Status = ReplayOutcome::Status;

class RowFilesTest : public ScratchDirectoryTest {
 protected:
  std::vector<std::uint32_t> wordsOf(const std::string& name) const {
    const std::string bytes = readFile(path(name));
    std::vector<std::uint32_t> words(bytes.size() / 4);
    std::memcpy(words.data(), bytes.data(), words.size() * 4);
    EXPECT_EQ(bytes.size() % 4, 0u);
    return words;
  }
};

TEST_F(RowFilesTest, InputRowsAreSinglesInPortOrderWhateverTheColumnOrder) {
  // Columns shuffled, one extra column, values that are exact singles.
  const FilePtr csv = streamOf(
      "steerAngle,udc,extra,iqCommand,omega2,theta2,iabc2_c,iabc2_b,iabc2_a,omega1,theta1,"
      "iabc1_c,iabc1_b,iabc1_a\n"
      "13,11,99,12,10,9,8,7,6,5,4,3,2,1\n"
      "-0,inf,0,-inf,0.5,1e-45,0,0,0,0,0,0,0,nan\n");
  const ReplayOutcome outcome = writeInputRows(csv.get(), path("rows.in"));
  ASSERT_EQ(outcome.status, Status::ok) << outcome.error;
  EXPECT_EQ(outcome.rowsWritten, 2u);
  const std::vector<std::uint32_t> words = wordsOf("rows.in");
  ASSERT_EQ(words.size(), 26u);
  for (int i = 0; i < 13; ++i)
    EXPECT_EQ(words[i], std::bit_cast<std::uint32_t>(static_cast<float>(i + 1))) << i;
  EXPECT_EQ(words[13], 0x7FC00000u);  // iabc1_a: nan
  EXPECT_EQ(words[13 + 8], 0x00000001u);  // theta2: the smallest subnormal
  EXPECT_EQ(words[13 + 9], 0x3F000000u);  // omega2
  EXPECT_EQ(words[13 + 10], 0x7F800000u);  // udc: inf
  EXPECT_EQ(words[13 + 11], 0xFF800000u);  // iqCommand: -inf
  EXPECT_EQ(words[13 + 12], 0x80000000u);  // steerAngle: -0
}

TEST_F(RowFilesTest, ABadRowIsReportedWithItsLineAndEndsTheRows) {
  const FilePtr csv = streamOf(
      "iabc1_a,iabc1_b,iabc1_c,theta1,omega1,iabc2_a,iabc2_b,iabc2_c,theta2,omega2,udc,"
      "iqCommand,steerAngle\n"
      "1,2,3,4,5,6,7,8,9,10,11,12,13\n"
      "1,2,3,4,5,6,7,8,9,10,11,12,x\n"
      "1,2,3,4,5,6,7,8,9,10,11,12,13\n");
  const ReplayOutcome outcome = writeInputRows(csv.get(), path("rows.in"));
  EXPECT_EQ(outcome.status, Status::badInput);
  EXPECT_EQ(outcome.rowsWritten, 1u);
  EXPECT_NE(outcome.error.find("line 3"), std::string::npos) << outcome.error;
}

std::string rowBytes(const std::vector<float>& values) {
  std::string bytes(values.size() * 4, '\0');
  std::memcpy(bytes.data(), values.data(), bytes.size());
  return bytes;
}

constexpr const char* kOutputHeader =
    "vabcNorm1_a,vabcNorm1_b,vabcNorm1_c,vabcNorm2_a,vabcNorm2_b,vabcNorm2_c\n";

TEST_F(RowFilesTest, OutputRowsComeBackAsTheReplaysCsv) {
  writeFile(path("rows.out"), rowBytes({0.5f, -0.25f, 1e-45f, 0.1f, -0.0f, 3.0f}));
  const FilePtr out = emptyStream();
  const ReplayOutcome outcome = writeOutputCsv(path("rows.out"), 1, out.get());
  ASSERT_EQ(outcome.status, Status::ok) << outcome.error;
  EXPECT_EQ(contentsOf(out.get()), std::string(kOutputHeader) + "0.5,-0.25,1e-45,0.1,-0,3\n");
}

TEST_F(RowFilesTest, AnOutputShorterThanTheInputIsTheTargetsFailure) {
  writeFile(path("rows.out"), rowBytes({1, 2, 3, 4, 5, 6, 7, 8, 9}));  // a row and a half
  const FilePtr out = emptyStream();
  const ReplayOutcome outcome = writeOutputCsv(path("rows.out"), 2, out.get());
  EXPECT_EQ(outcome.status, Status::targetFailed);
  EXPECT_EQ(outcome.error, "the target's output ends after 1 of 2 rows");
}

TEST_F(RowFilesTest, AnOutputLongerThanTheInputIsTheTargetsFailure) {
  writeFile(path("rows.out"), rowBytes({1, 2, 3, 4, 5, 6, 7}));
  const FilePtr out = emptyStream();
  const ReplayOutcome outcome = writeOutputCsv(path("rows.out"), 1, out.get());
  EXPECT_EQ(outcome.status, Status::targetFailed);
  EXPECT_EQ(outcome.error, "the target's output is longer than the 1 rows it was given");
}

TEST_F(RowFilesTest, NoOutputFileIsTheTargetsFailure) {
  const FilePtr out = emptyStream();
  EXPECT_EQ(writeOutputCsv(path("rows.out"), 1, out.get()).status, Status::targetFailed);
}

}  // namespace
}  // namespace substitute_host

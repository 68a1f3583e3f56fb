// Parts: written whole, read back exactly, and a part that is not whole never read as
// a result.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>

#include "sweep/part_file.h"

namespace {

namespace fs = std::filesystem;
using namespace substitute_host::sweep;

class PartFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "corvalent2_parts_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { fs::remove_all(folder_); }
  void writeRaw(std::uint64_t index, const std::string& text) {
    std::ofstream(folder_ / partFileName(index), std::ios::binary) << text;
  }
  fs::path folder_;
};

RunPart sampleRun(std::uint64_t index) {
  RunPart part;
  part.index = index;
  // Values whose shortest text needs all 17 digits, one absent figure.
  for (std::size_t i = 0; i < part.figures.size(); ++i) part.figures[i] = 0.1 * (i + 1) + 1e-16 * i;
  part.figures[6] = std::numeric_limits<double>::quiet_NaN();
  return part;
}

TEST_F(PartFiles, ReadBackExactlyAsWritten) {
  const RunPart written = sampleRun(12);
  ASSERT_EQ(writePart(folder_, written), "");
  const PartRead read = readPart(folder_, 12);
  ASSERT_EQ(read.state, PartState::present) << read.why;
  EXPECT_EQ(read.part.status, "ok");
  for (std::size_t i = 0; i < written.figures.size(); ++i) {
    if (i == 6) {
      EXPECT_TRUE(std::isnan(read.part.figures[i]));
    } else {
      EXPECT_EQ(read.part.figures[i], written.figures[i]) << i;
    }
  }
  // Nothing but the part is left in the folder: the hidden name it was written under
  // took its final name.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(PartFiles, AFailedRunKeepsItsErrorTextWhateverItHolds) {
  RunPart failed = sampleRun(3);
  failed.status = "scenario: profiles.udc[0]: value must be above 0, got -5; \"quoted\"";
  failed.figures.fill(std::numeric_limits<double>::quiet_NaN());
  ASSERT_EQ(writePart(folder_, failed), "");
  const PartRead read = readPart(folder_, 3);
  ASSERT_EQ(read.state, PartState::present) << read.why;
  EXPECT_EQ(read.part.status, failed.status);
}

TEST_F(PartFiles, NoPrefixOfAPartIsEverTakenForAResult) {
  const std::string whole = partJsonText(sampleRun(4));
  for (std::size_t length = 0; length + 1 < whole.size(); ++length) {
    writeRaw(4, whole.substr(0, length));
    EXPECT_EQ(readPart(folder_, 4).state, PartState::unreadable) << "first " << length << " bytes";
  }
}

TEST_F(PartFiles, APartOfAnotherRunOrShapeIsUnreadable) {
  writeRaw(5, partJsonText(sampleRun(6)));
  EXPECT_EQ(readPart(folder_, 5).state, PartState::unreadable);
  std::string noFigure = partJsonText(sampleRun(7));
  noFigure.replace(noFigure.find("\"maxSlip\":"), 10, "\"maxSlap\":");
  writeRaw(7, noFigure);
  EXPECT_EQ(readPart(folder_, 7).state, PartState::unreadable);
  // A completed run must have its peaks.
  RunPart hollow = sampleRun(8);
  hollow.figures[0] = std::numeric_limits<double>::quiet_NaN();
  writeRaw(8, partJsonText(hollow));
  EXPECT_EQ(readPart(folder_, 8).state, PartState::unreadable);
  EXPECT_EQ(readPart(folder_, 9).state, PartState::missing);
}

TEST_F(PartFiles, AFailedWriteLeavesNoPartBehind) {
  // A folder in the way of the part's name: the write is refused and nothing appears.
  fs::create_directory(folder_ / partFileName(2));
  EXPECT_NE(writePart(folder_, sampleRun(2)), "");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
  // A folder that is not there: refused the same way.
  EXPECT_NE(writePart(folder_ / "absent", sampleRun(2)), "");
}

}  // namespace

// The MAT output layer: names, text, a file of columns in both formats read back through
// libmatio, and a file that is complete or absent.
#include "matfile_out/column_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "matfile_out/column_sample.h"
#include "matfile_out/mat_name.h"
#include "matfile_out/mat_text.h"
#include "tests/matfile_out/mat_reading.h"
#include "tests/support/test_folder.h"

namespace substitute_host::matfile_out {
namespace {

namespace fs = std::filesystem;
using corvalent2_test::readVariable;

class MatFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = corvalent2_test::freshTestFolder("corvalent2_mat_");
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::size_t filesInFolder() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }

  fs::path dir_;
};

TEST(MatName, KeepsValidNamesAndMendsOthers) {
  EXPECT_EQ(validMatName("vabcNorm1_a"), "vabcNorm1_a");
  EXPECT_EQ(validMatName("time_s"), "time_s");
  EXPECT_EQ(validMatName("speed m/s"), "speed_m_s");
  EXPECT_EQ(validMatName("1st"), "x1st");
  EXPECT_EQ(validMatName("_x"), "x_x");
  EXPECT_EQ(validMatName(""), "x");
  EXPECT_EQ(validMatName(std::string(70, 'a')), std::string(63, 'a'));
}

TEST(MatText, TurnsUtf8IntoUtf16Units) {
  EXPECT_EQ(utf16Units("a\n"), (std::vector<std::uint16_t>{0x61, 0x0A}));
  EXPECT_EQ(utf16Units("\xC3\xA9"), (std::vector<std::uint16_t>{0xE9}));
  EXPECT_EQ(utf16Units("\xF0\x9F\x9A\x97"), (std::vector<std::uint16_t>{0xD83D, 0xDE97}));
  // A stray continuation byte, an overlong form and a cut sequence are not text.
  EXPECT_EQ(utf16Units("\x80z"), (std::vector<std::uint16_t>{0xFFFD, 0x7A}));
  EXPECT_EQ(utf16Units("\xC0\xAF"), (std::vector<std::uint16_t>{0xFFFD, 0xFFFD}));
  EXPECT_EQ(utf16Units("\xE2\x82"), (std::vector<std::uint16_t>{0xFFFD, 0xFFFD}));
}

// More rows than a block, so that a 7.3 file is appended to several times.
constexpr std::size_t kRows = 2 * kBlockRows + 123;

void writeColumns(MatColumnFile& file) {
  for (std::size_t i = 0; i < kRows; ++i) {
    const double values[2] = {std::ldexp(static_cast<double>(i), -3) + 0.1,
                              static_cast<double>(i) / 3.0};
    ASSERT_TRUE(file.appendRow(values)) << file.error();
  }
  file.addText("note", "caf\xC3\xA9");
  file.addScalar("step", 50e-6);
}

void expectColumns(const std::string& path) {
  const auto single = readVariable(path, "a_single");
  const auto dbl = readVariable(path, "a_double");
  ASSERT_TRUE(single.found && dbl.found);
  EXPECT_EQ(single.classType, MAT_C_SINGLE);
  EXPECT_EQ(dbl.classType, MAT_C_DOUBLE);
  ASSERT_EQ(single.rows, kRows);
  ASSERT_EQ(dbl.rows, kRows);
  EXPECT_EQ(single.columns, 1u);
  for (std::size_t i = 0; i < kRows; i += 97) {
    const float expected = static_cast<float>(std::ldexp(static_cast<double>(i), -3) + 0.1);
    EXPECT_EQ(single.at<float>(i), expected) << i;
    EXPECT_EQ(dbl.at<double>(i), static_cast<double>(i) / 3.0) << i;
  }
  const auto note = readVariable(path, "note");
  EXPECT_EQ(note.classType, MAT_C_CHAR);
  ASSERT_EQ(note.columns, 4u);
  EXPECT_EQ(note.at<std::uint16_t>(3), 0xE9);
  EXPECT_EQ(readVariable(path, "step").at<double>(0), 50e-6);
}

TEST_F(MatFolder, ColumnsReadBackWithTheirClassesInBothFormats) {
  for (const MatVersion version : {MatVersion::v73, MatVersion::v5}) {
    const fs::path path = dir_ / (version == MatVersion::v73 ? "v73.mat" : "v5.mat");
    MatColumnFile file;
    ASSERT_TRUE(file.open(path.string(), version, {{"a_single", true}, {"a double", false}}, kRows))
        << file.error();
    writeColumns(file);
    ASSERT_TRUE(file.commit()) << file.error();
    expectColumns(path.string());
  }
  EXPECT_EQ(filesInFolder(), 2u);  // no hidden file left beside them
}

TEST_F(MatFolder, AFileWithoutRowsHasEmptyColumns) {
  const fs::path path = dir_ / "empty.mat";
  MatColumnFile file;
  ASSERT_TRUE(file.open(path.string(), MatVersion::v73, {{"a", true}}));
  ASSERT_TRUE(file.addColumn({"time", false}));
  ASSERT_TRUE(file.commit()) << file.error();
  EXPECT_TRUE(readVariable(path.string(), "a").found);
  EXPECT_EQ(readVariable(path.string(), "a").rows, 0u);
  EXPECT_TRUE(readVariable(path.string(), "time").found);
}

TEST_F(MatFolder, AnAbandonedFileLeavesNothingAndKeepsAnEarlierOne) {
  const fs::path path = dir_ / "kept.mat";
  std::ofstream(path) << "an earlier file\n";
  {
    MatColumnFile file;
    ASSERT_TRUE(file.open(path.string(), MatVersion::v73, {{"a", true}}));
    const double value = 1.0;
    for (std::size_t i = 0; i < kBlockRows + 1; ++i) ASSERT_TRUE(file.appendRow({&value, 1}));
    EXPECT_EQ(filesInFolder(), 2u);  // the hidden file beside the earlier one
  }                                  // destroyed without a commit
  EXPECT_EQ(filesInFolder(), 1u);
  std::ifstream kept(path);
  std::string line;
  std::getline(kept, line);
  EXPECT_EQ(line, "an earlier file");
}

TEST_F(MatFolder, RefusesAFolderAndALevel5FileTooLargeForMemory) {
  MatColumnFile file;
  EXPECT_FALSE(file.open(dir_.string(), MatVersion::v73, {{"a", true}}));
  EXPECT_EQ(file.error(), "Is a directory");
  EXPECT_FALSE(file.open((dir_ / "big.mat").string(), MatVersion::v5, {{"a", false}},
                         std::uint64_t{200} << 20));
  EXPECT_EQ(file.error(),
            "a level-5 file is held in memory until the end, and 209715200 rows would take "
            "more than 1 GiB: use the 7.3 format or fewer rows");
  EXPECT_EQ(filesInFolder(), 0u);
  EXPECT_FALSE(file.addColumn({"b", true}));
  const double value = 0.0;
  EXPECT_FALSE(file.appendRow({&value, 1}));
  EXPECT_FALSE(file.commit());
}

TEST_F(MatFolder, NoColumnIsAddedAfterTheFirstRow) {
  MatColumnFile file;
  ASSERT_TRUE(file.open((dir_ / "late.mat").string(), MatVersion::v73, {{"a", true}}));
  const double value = 2.0;
  ASSERT_TRUE(file.appendRow({&value, 1}));
  EXPECT_FALSE(file.addColumn({"b", true}));
}

// A plot's sample of a long log: every 17th row of columns far longer than the rows
// read at once, so that the sample crosses the boundaries of those reads at every
// offset. Each row holds its own number, so a row taken from the wrong place shows.
TEST_F(MatFolder, EveryNthRowIsTakenAcrossALongColumn) {
  constexpr std::size_t kLong = 70001;
  constexpr std::uint64_t kEvery = 17;
  for (const MatVersion version : {MatVersion::v73, MatVersion::v5}) {
    const fs::path path = dir_ / (version == MatVersion::v73 ? "v73.mat" : "v5.mat");
    MatColumnFile file;
    ASSERT_TRUE(file.open(path.string(), version, {{"row", false}, {"half", true}}, kLong));
    for (std::size_t i = 0; i < kLong; ++i) {
      const double values[2] = {static_cast<double>(i), static_cast<double>(i) / 2.0};
      ASSERT_TRUE(file.appendRow(values)) << file.error();
    }
    ASSERT_TRUE(file.commit()) << file.error();
    std::vector<std::vector<double>> columns;
    std::string error;
    ASSERT_TRUE(readEveryNthRow(path.string(), {"half", "row"}, kEvery, columns, error)) << error;
    ASSERT_EQ(columns.size(), 2u);
    ASSERT_EQ(columns[1].size(), (kLong + kEvery - 1) / kEvery);
    ASSERT_EQ(columns[0].size(), columns[1].size());
    for (std::size_t i = 0; i < columns[1].size(); ++i) {
      ASSERT_EQ(columns[1][i], static_cast<double>(i * kEvery)) << i;
      ASSERT_EQ(columns[0][i], static_cast<double>(i * kEvery) / 2.0) << i;
    }
    EXPECT_FALSE(readEveryNthRow(path.string(), {"row", "absent"}, kEvery, columns, error));
    EXPECT_EQ(error, "the column absent cannot be read from the MAT file");
  }
}

}  // namespace
}  // namespace substitute_host::matfile_out

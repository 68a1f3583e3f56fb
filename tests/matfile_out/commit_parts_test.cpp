// The parts of a MAT file's commit: the read-back check of a 7.3 file, and the file
// given its final name in place of an earlier one.
#include <gtest/gtest.h>
#include <matio.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "matfile_out/final_name.h"
#include "matfile_out/hdf5_check.h"
#include "tests/support/test_folder.h"

namespace substitute_host::matfile_out {
namespace {

namespace fs = std::filesystem;

class CommitParts : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = corvalent2_test::freshTestFolder("corvalent2_commit_");
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
};

// A 7.3 file of double variables of the given shapes, written by libmatio itself.
void writeVariables(const fs::path& path,
                    const std::vector<std::pair<std::string, std::vector<size_t>>>& shapes) {
  mat_t* mat = Mat_CreateVer(path.c_str(), nullptr, MAT_FT_MAT73);
  ASSERT_NE(mat, nullptr);
  for (const auto& [name, dims] : shapes) {
    std::vector<double> values(dims[0] * dims[1], 0.5);
    size_t shape[2] = {dims[0], dims[1]};
    matvar_t* var = Mat_VarCreate(name.c_str(), MAT_C_DOUBLE, MAT_T_DOUBLE, 2, shape, values.data(),
                                  MAT_F_DONT_COPY_DATA);
    ASSERT_NE(var, nullptr);
    EXPECT_EQ(Mat_VarWrite(mat, var, MAT_COMPRESSION_NONE), 0);
    Mat_VarFree(var);
  }
  EXPECT_EQ(Mat_Close(mat), 0);
}

TEST_F(CommitParts, TheCheckOfA73FileFindsEachColumnWithEveryRow) {
  const fs::path path = dir_ / "a.mat";
  writeVariables(path, {{"a", {10, 1}}, {"short", {9, 1}}, {"row", {1, 10}}, {"wide", {10, 2}}});
  std::string error;
  EXPECT_TRUE(checkColumns73(path, {"a"}, 10, error)) << error;
  // A column cut short, one lying the other way, one too wide and one missing are named.
  for (const std::string name : {"short", "row", "wide", "missing"}) {
    error.clear();
    EXPECT_FALSE(checkColumns73(path, {"a", name}, 10, error)) << name;
    EXPECT_EQ(error, "the written MAT file lacks rows of " + name);
  }
  EXPECT_FALSE(checkColumns73(dir_ / "absent.mat", {"a"}, 10, error));
  EXPECT_EQ(error, "the written MAT file does not read back");
}

std::string firstLine(const fs::path& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

std::size_t filesIn(const fs::path& dir) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

// Over an earlier file, without one, and over a file that another name also keeps: the
// final name leads to the new file, the hidden name is gone once the earlier file has
// been removed, and the other name still leads to the earlier text.
TEST_F(CommitParts, AFinishedFileTakesItsNameAndTheEarlierOneGoes) {
  const fs::path final = dir_ / "log.mat", hidden = dir_ / ".log.mat.part";
  const fs::path alone = dir_ / "alone.mat", other = dir_ / "other.mat";
  std::ofstream(final) << "earlier";
  fs::create_hard_link(final, other);
  {
    FinalName name;
    std::ofstream(hidden) << "new";
    std::error_code error;
    ASSERT_TRUE(name.give(hidden, final, error)) << error.message();
    EXPECT_EQ(firstLine(final), "new");
    const fs::path hidden2 = dir_ / ".alone.mat.part";
    std::ofstream(hidden2) << "another";
    ASSERT_TRUE(name.give(hidden2, alone, error)) << error.message();
    EXPECT_EQ(firstLine(alone), "another");
  }  // waits for the removal
  EXPECT_FALSE(fs::exists(hidden));
  EXPECT_FALSE(fs::exists(dir_ / ".alone.mat.part"));
  EXPECT_EQ(firstLine(other), "earlier");
  EXPECT_EQ(filesIn(dir_), 3u);
}

// A folder under the final name is not swapped away: the rename refuses it, and both
// stay where they were.
TEST_F(CommitParts, AFolderUnderTheFinalNameStays) {
  const fs::path final = dir_ / "log.mat", hidden = dir_ / ".log.mat.part";
  fs::create_directories(final / "inside");
  std::ofstream(hidden) << "new";
  std::error_code error;
  {
    FinalName name;
    EXPECT_FALSE(name.give(hidden, final, error));
  }
  EXPECT_TRUE(error);
  EXPECT_TRUE(fs::is_directory(final / "inside"));
  EXPECT_EQ(firstLine(hidden), "new");
}

}  // namespace
}  // namespace substitute_host::matfile_out

// The parts of a MAT file's commit: the read-back check of a 7.3 file, and the earlier
// file that a commit replaces, held across the rename and let go afterwards.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <matio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "matfile_out/earlier_file.h"
#include "matfile_out/hdf5_check.h"

namespace substitute_host::matfile_out {
namespace {

namespace fs = std::filesystem;

class CommitParts : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("corvalent2_commit_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
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
    matvar_t* var = Mat_VarCreate(name.c_str(), MAT_C_DOUBLE, MAT_T_DOUBLE, 2, shape,
                                  values.data(), MAT_F_DONT_COPY_DATA);
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

std::size_t openDescriptors() {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

// The file being replaced stays in being until it is let go, and is gone after.
TEST_F(CommitParts, AnEarlierFileIsHeldAcrossTheRenameAndLetGoAfter) {
  const fs::path final = dir_ / "log.mat", fresh = dir_ / ".log.mat.part";
  std::ofstream(final) << "earlier";
  std::ofstream(fresh) << "new";
  const std::size_t before = openDescriptors();
  {
    EarlierFile earlier;
    earlier.hold(final);
    EXPECT_EQ(openDescriptors(), before + 1);
    fs::rename(fresh, final);
    earlier.letGo();
  }  // waits for the release
  EXPECT_EQ(openDescriptors(), before);
  std::ifstream in(final);
  std::string text;
  in >> text;
  EXPECT_EQ(text, "new");
}

// Only a plain file with no other name is held: a missing file, a pipe, a symbolic link
// or a file another name keeps gain nothing from it (and a pipe must not be opened).
TEST_F(CommitParts, NothingButALoneFileIsHeld) {
  const fs::path pipe = dir_ / "pipe", link = dir_ / "link", linked = dir_ / "linked";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::ofstream(linked) << "x";
  fs::create_symlink(linked, link);
  fs::create_hard_link(linked, dir_ / "second");
  const std::size_t before = openDescriptors();
  EarlierFile earlier;
  for (const fs::path& path : {dir_ / "missing", pipe, link, linked}) {
    earlier.hold(path);
    EXPECT_EQ(openDescriptors(), before) << path;
    earlier.letGo();
  }
}

}  // namespace
}  // namespace substitute_host::matfile_out

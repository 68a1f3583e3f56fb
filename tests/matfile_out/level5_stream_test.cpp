// A level-5 file laid out before its values and filled a run of rows at a time: read
// back through libmatio (an independent reader of the format), every value where its
// row and column say, whatever order the runs came in.
#include "matfile_out/level5_stream.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/matfile_out/mat_reading.h"
#include "tests/support/test_folder.h"

namespace substitute_host::matfile_out {
namespace {

namespace fs = std::filesystem;

class Level5Folder : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = corvalent2_test::freshTestFolder("corvalent2_l5_");
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const char* name) const { return (dir_ / name).string(); }
  bool folderEmpty() const { return fs::directory_iterator(dir_) == fs::directory_iterator(); }

  fs::path dir_;
};

Level5Variable array(const char* name, std::size_t rows, std::size_t columns, bool single) {
  Level5Variable v;
  v.name = name;
  v.rows = rows;
  v.columns = columns;
  v.single = single;
  return v;
}

// A value that tells its row and column apart from every other.
float valueAt(std::size_t row, std::size_t column) { return static_cast<float>(row * 10 + column) + 0.5f; }

TEST_F(Level5Folder, AMatrixFilledInRunsOutOfOrderReadsBackValueForValue) {
  constexpr std::size_t kRows = 1000, kColumns = 3, kRun = 300;
  Level5StreamFile file;
  ASSERT_TRUE(file.open(path("m.mat"), {array("m", kRows, kColumns, true)})) << file.error();
  // The last (short) run first, then the others, column by column.
  for (std::size_t first : {std::size_t{900}, std::size_t{0}, std::size_t{600}, std::size_t{300}}) {
    const std::size_t count = std::min(kRun, kRows - first);
    for (std::size_t column = 0; column < kColumns; ++column) {
      std::vector<float> run(count);
      for (std::size_t r = 0; r < count; ++r) run[r] = valueAt(first + r, column);
      ASSERT_TRUE(file.write(0, column, first, run.data(), count)) << file.error();
    }
  }
  ASSERT_TRUE(file.commit()) << file.error();
  const auto m = corvalent2_test::readVariable(path("m.mat"), "m");
  ASSERT_TRUE(m.found);
  EXPECT_EQ(m.classType, MAT_C_SINGLE);
  ASSERT_EQ(m.rows, kRows);
  ASSERT_EQ(m.columns, kColumns);
  for (std::size_t column = 0; column < kColumns; ++column)
    for (std::size_t row = 0; row < kRows; ++row)
      ASSERT_EQ(m.at<float>(column * kRows + row), valueAt(row, column)) << row << "," << column;
}

TEST_F(Level5Folder, AStructureHoldsItsFieldsWithTheirClassesAndAFixedValue) {
  Level5Variable dimensions = array("dimensions", 1, 1, false);
  dimensions.fixedValues = {6.0};
  Level5Variable signals;
  signals.name = "signals";
  signals.structure = true;
  signals.fields = {array("values", 5, 2, true), dimensions};
  Level5Variable log;
  log.name = "log";
  log.structure = true;
  log.fields = {array("time", 5, 1, false), signals};
  Level5StreamFile file;
  ASSERT_TRUE(file.open(path("s.mat"), {log})) << file.error();
  const double time[5] = {0.0, 0.1, 0.2, 0.30000000000000004, 1e-300};
  const float a[5] = {1, 2, 3, 4, 5}, b[5] = {-1, -2, -3, -4, -5};
  ASSERT_TRUE(file.write(0, 0, 0, time, 5));
  ASSERT_TRUE(file.write(1, 0, 0, a, 5));
  ASSERT_TRUE(file.write(1, 1, 0, b, 5));
  ASSERT_TRUE(file.commit()) << file.error();

  mat_t* mat = Mat_Open(path("s.mat").c_str(), MAT_ACC_RDONLY);
  ASSERT_NE(mat, nullptr);
  matvar_t* var = Mat_VarRead(mat, "log");
  ASSERT_NE(var, nullptr);
  matvar_t* t = Mat_VarGetStructFieldByName(var, "time", 0);
  matvar_t* s = Mat_VarGetStructFieldByName(var, "signals", 0);
  ASSERT_NE(t, nullptr);
  ASSERT_NE(s, nullptr);
  matvar_t* values = Mat_VarGetStructFieldByName(s, "values", 0);
  matvar_t* dims = Mat_VarGetStructFieldByName(s, "dimensions", 0);
  ASSERT_NE(values, nullptr);
  ASSERT_NE(dims, nullptr);
  EXPECT_EQ(t->class_type, MAT_C_DOUBLE);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(static_cast<const double*>(t->data)[i], time[i]);
  EXPECT_EQ(values->class_type, MAT_C_SINGLE);
  EXPECT_EQ(values->dims[0], 5u);
  EXPECT_EQ(values->dims[1], 2u);
  EXPECT_EQ(static_cast<const float*>(values->data)[4], 5.0f);
  EXPECT_EQ(static_cast<const float*>(values->data)[9], -5.0f);
  EXPECT_EQ(*static_cast<const double*>(dims->data), 6.0);
  Mat_VarFree(var);
  Mat_Close(mat);
}

TEST_F(Level5Folder, AVariableBeyondWhatTheFormatHoldsIsRefusedBeforeAnyFile) {
  Level5StreamFile file;
  // 2^29 rows of one single column: 2 GiB of values, past what a 31-bit length says.
  EXPECT_FALSE(file.open(path("big.mat"), {array("big", std::size_t{1} << 29, 1, true)}));
  EXPECT_NE(file.error().find("2 GiB"), std::string::npos) << file.error();
  EXPECT_TRUE(folderEmpty());
}

TEST_F(Level5Folder, RowsBeyondTheLayoutAreRefusedAndNothingIsLeft) {
  Level5StreamFile file;
  ASSERT_TRUE(file.open(path("m.mat"), {array("m", 4, 1, true)}));
  const float run[3] = {1, 2, 3};
  EXPECT_FALSE(file.write(0, 0, 2, run, 3));
  EXPECT_FALSE(file.commit());
  EXPECT_TRUE(folderEmpty());
}

TEST_F(Level5Folder, AnAbandonedFileLeavesAnEarlierOneAsItWas) {
  { Level5StreamFile first;
    ASSERT_TRUE(first.open(path("m.mat"), {array("m", 1, 1, false)}));
    const double one = 1.0;
    ASSERT_TRUE(first.write(0, 0, 0, &one, 1));
    ASSERT_TRUE(first.commit()); }
  {
    Level5StreamFile second;
    ASSERT_TRUE(second.open(path("m.mat"), {array("m", 1, 1, false)}));
    const double two = 2.0;
    ASSERT_TRUE(second.write(0, 0, 0, &two, 1));
    second.abandon();
  }
  const auto m = corvalent2_test::readVariable(path("m.mat"), "m");
  ASSERT_TRUE(m.found);
  EXPECT_EQ(m.at<double>(0), 1.0);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace substitute_host::matfile_out

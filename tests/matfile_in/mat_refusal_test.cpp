// Files the MAT reader refuses: one message that names the file and the variable and
// says what is wrong; never a crash, never rows made up from a damaged file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "matfile_in/mat_row_source.h"
#include "tests/matfile_in/mat_files.h"

namespace {

using matfile_test::MatFileWriter;
using matfile_test::scratchPath;
using substitute_host::MatReadOptions;
using substitute_host::MatRowSource;

const std::vector<std::string> kInputs = {"iabc1_a", "iabc1_b", "iabc1_c",  "theta1", "omega1",
                                          "iabc2_a", "iabc2_b", "iabc2_c",  "theta2", "omega2",
                                          "udc",     "iqCommand", "steerAngle"};

std::string refusal(const std::string& path, const MatReadOptions& options = {}) {
  MatRowSource source;
  if (source.open(path, "in.mat", options)) return "opened";
  return source.error();
}

std::string level5File(const std::string& name, matio_classes kind, std::size_t columns) {
  const std::string path = scratchPath(name);
  MatFileWriter file(path, MAT_FT_MAT5, MAT_COMPRESSION_NONE);
  EXPECT_TRUE(file.ok() && file.addMatrix("x", kind, 40, columns));
  return path;
}

void overwriteByte(const std::string& path, std::streamoff at, char value) {
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(at);
  file.put(value);
  ASSERT_TRUE(file.good());
}

TEST(MatRefusal, IntegerValues) {
  EXPECT_EQ(refusal(level5File("int32.mat", MAT_C_INT32, 13)),
            "in.mat: variable 'x' is of the integer class int32; only single or double values "
            "can be read");
}

TEST(MatRefusal, TwelveColumns) {
  EXPECT_EQ(refusal(level5File("twelve.mat", MAT_C_DOUBLE, 12)),
            "in.mat: variable 'x' has 12 columns; the 13 inputs need 13 columns, or one more "
            "with time first");
}

TEST(MatRefusal, ComplexValues) {
  const std::string path = scratchPath("complex.mat");
  {
    std::vector<double> re(13, 1.0), im(13, 2.0);
    mat_complex_split_t parts{re.data(), im.data()};
    std::size_t dims[2] = {1, 13};
    MatFileWriter file(path, MAT_FT_MAT73, MAT_COMPRESSION_NONE);
    ASSERT_TRUE(file.ok() && file.addVariable(Mat_VarCreate("z", MAT_C_DOUBLE, MAT_T_DOUBLE, 2,
                                                            dims, &parts, MAT_F_COMPLEX)));
  }
  EXPECT_EQ(refusal(path),
            "in.mat: variable 'z' is complex; only real single or double values can be read");
}

TEST(MatRefusal, CellArray) {
  const std::string path = scratchPath("cell.mat");
  {
    std::size_t one[2] = {1, 1}, dims[2] = {2, 13};
    std::vector<double> values(26, 0.5);
    matvar_t* cell = Mat_VarCreate("c", MAT_C_CELL, MAT_T_CELL, 2, one, nullptr, 0);
    Mat_VarSetCell(cell, 0, Mat_VarCreate(nullptr, MAT_C_DOUBLE, MAT_T_DOUBLE, 2, dims,
                                          values.data(), 0));
    MatFileWriter file(path, MAT_FT_MAT5, MAT_COMPRESSION_NONE);
    ASSERT_TRUE(file.ok() && file.addVariable(cell));
  }
  EXPECT_EQ(refusal(path),
            "in.mat: variable 'c' is a cell array; only single or double values can be read");
}

TEST(MatRefusal, MissingSignal) {
  const std::string path = scratchPath("missing.mat");
  {
    MatFileWriter file(path, MAT_FT_MAT73, MAT_COMPRESSION_NONE);
    for (std::size_t k = 0; k + 1 < kInputs.size(); ++k) {
      ASSERT_TRUE(file.addMatrix(kInputs[k], MAT_C_SINGLE, 10, 1, k));
    }
  }
  EXPECT_EQ(refusal(path),
            "in.mat: the file lacks the variable 'steerAngle'; one variable per signal needs "
            "all 13 inputs");
}

TEST(MatRefusal, SeveralThatFitUnlessOneIsNamed) {
  const std::string path = scratchPath("two.mat");
  {
    MatFileWriter file(path, MAT_FT_MAT5, MAT_COMPRESSION_NONE);
    ASSERT_TRUE(file.addMatrix("x", MAT_C_SINGLE, 10, 13) && file.addMatrix("y", MAT_C_DOUBLE, 10, 14));
  }
  EXPECT_EQ(refusal(path),
            "in.mat: several variables fit ('x', 'y'); name the one to read with --variable NAME");
  MatReadOptions named;
  named.variable = "y";
  EXPECT_EQ(refusal(path, named), "opened");
  named.variable = "z";
  EXPECT_EQ(refusal(path, named), "in.mat: the file has no variable 'z'");
}

TEST(MatRefusal, NoMatFileAtAll) {
  const std::string path = scratchPath("text.mat");
  std::ofstream(path) << "iabc1_a\n1\n";
  EXPECT_EQ(refusal(path), "in.mat: not a MAT file");
}

TEST(MatRefusal, TruncatedLevel5) {
  const std::string path = level5File("truncated5.mat", MAT_C_DOUBLE, 13);
  std::filesystem::resize_file(path, 300);
  EXPECT_EQ(refusal(path),
            "in.mat: the variable at byte 128 runs past the end of the file: it is truncated");
}

TEST(MatRefusal, TruncatedVersion73) {
  const std::string path = scratchPath("truncated73.mat");
  {
    MatFileWriter file(path, MAT_FT_MAT73, MAT_COMPRESSION_NONE);
    ASSERT_TRUE(file.ok() && file.addMatrix("x", MAT_C_DOUBLE, 4000, 13));
  }
  std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
  EXPECT_EQ(refusal(path),
            "in.mat: the file holds no variable that can be read: it is empty, damaged or "
            "truncated");
}

TEST(MatRefusal, DimensionsThatOverstateTheValues) {
  // The row count's low byte, at byte 160 of a matrix written by matio, raised: the
  // values would run past the end of the file.
  const std::string path = level5File("flipped.mat", MAT_C_SINGLE, 13);
  overwriteByte(path, 160, 0x7F);
  EXPECT_EQ(refusal(path),
            "in.mat: the variable at byte 128 does not hold the values its dimensions say: the "
            "file is damaged or truncated");
}

TEST(MatRefusal, ClassObjectsAndSparseArraysBeforeTheLibraryReadsThem) {
  // The class is the low byte of the array flags, at byte 144 of a matrix written by
  // matio: 16 marks a function handle, 5 a sparse array.
  const std::string path = level5File("function.mat", MAT_C_DOUBLE, 13);
  overwriteByte(path, 144, 16);
  EXPECT_EQ(refusal(path),
            "in.mat: variable 'x' is a class object, which cannot be read; save the signals in a "
            "plain form: a structure with time, a matrix, or one variable per signal");
  overwriteByte(path, 144, 5);
  EXPECT_EQ(refusal(path),
            "in.mat: variable 'x' is sparse; only full single or double values can be read");
}

TEST(MatRefusal, CompressedBeyondTheWholeReadBound) {
  const std::string path = scratchPath("big.mat");
  {
    MatFileWriter file(path, MAT_FT_MAT5, MAT_COMPRESSION_ZLIB);
    ASSERT_TRUE(file.ok() && file.addMatrix("x", MAT_C_DOUBLE, 100000, 13));
  }
  MatReadOptions bounded;
  bounded.wholeReadLimitBytes = std::uint64_t{1} << 20;
  EXPECT_EQ(refusal(path, bounded),
            "in.mat: variable 'x' is compressed and inflates to more than the 1.0 MiB read in "
            "one pass; a compressed variable cannot be read in parts. Save it "
            "uncompressed (-v6) or as version 7.3 (-v7.3) to stream it");
}

}  // namespace

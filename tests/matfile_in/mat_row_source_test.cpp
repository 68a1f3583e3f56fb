// The MAT reader's rows: every layout, level 5 (compressed or not) and 7.3, read in slabs
// that do not divide the row count, give each value as the nearest single, in port order.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "matfile_in/mat_row_source.h"
#include "tests/matfile_in/mat_files.h"

namespace {

using matfile_test::MatFileWriter;
using matfile_test::scratchPath;
using matfile_test::valueAt;
using substitute_host::MatPurpose;
using substitute_host::MatReadOptions;
using substitute_host::MatRowSource;
using Status = substitute_host::RowSource::Status;

const std::vector<std::string> kInputs = {"iabc1_a", "iabc1_b", "iabc1_c",  "theta1", "omega1",
                                          "iabc2_a", "iabc2_b", "iabc2_c",  "theta2", "omega2",
                                          "udc",     "iqCommand", "steerAngle"};
const std::vector<std::string> kOutputs = {"vabcNorm1_a", "vabcNorm1_b", "vabcNorm1_c",
                                           "vabcNorm2_a", "vabcNorm2_b", "vabcNorm2_c"};

std::uint32_t bits(float value) {
  std::uint32_t b = 0;
  std::memcpy(&b, &value, sizeof b);
  return b;
}

// Reads every row and checks each column against valueAt(row, firstValue + column),
// with the time column (when the names start with it) at 5e-5 per row.
void expectRows(MatRowSource& source, std::size_t rows, std::size_t firstValue) {
  const bool time = source.names().front() == "time";
  for (std::size_t row = 0; row < rows; ++row) {
    ASSERT_EQ(source.next(), Status::row) << source.error();
    for (std::size_t column = 0; column < source.names().size(); ++column) {
      float value = 0.0f;
      ASSERT_TRUE(source.readSingle(column, value));
      const double expected = time && column == 0 ? static_cast<double>(row) * 5e-5
                                                  : valueAt(row, firstValue + column - (time ? 1 : 0));
      ASSERT_EQ(bits(value), bits(static_cast<float>(expected))) << "row " << row << " column " << column;
    }
  }
  EXPECT_EQ(source.next(), Status::end);
  EXPECT_EQ(source.rowNumber(), rows);
}

MatReadOptions inSlabsOf(std::size_t rows, MatPurpose purpose = MatPurpose::inputs) {
  MatReadOptions options;
  options.slabRows = rows;
  options.purpose = purpose;
  return options;
}

std::vector<std::string> withTime(std::vector<std::string> names) {
  names.insert(names.begin(), "time");
  return names;
}

TEST(MatRowSource, ReadsAnInputMatrixOfSinglesFromAVersion73File) {
  const std::string path = scratchPath("matrix73.mat");
  {
    MatFileWriter file(path, MAT_FT_MAT73, MAT_COMPRESSION_NONE);
    ASSERT_TRUE(file.ok() && file.addMatrix("x", MAT_C_SINGLE, 100, 13));
  }
  MatRowSource source;
  ASSERT_TRUE(source.open(path, "in.mat", inSlabsOf(7))) << source.error();
  EXPECT_EQ(source.names(), kInputs);
  expectRows(source, 100, 0);
}

TEST(MatRowSource, ReadsAMatrixWithTimeFirstFromALevel5File) {
  const std::string path = scratchPath("matrix5.mat");
  {
    MatFileWriter file(path, MAT_FT_MAT5, MAT_COMPRESSION_NONE);
    ASSERT_TRUE(file.ok() && file.addMatrix("x", MAT_C_DOUBLE, 50, 14, 0));
  }
  MatRowSource source;
  ASSERT_TRUE(source.open(path, "in.mat", inSlabsOf(8))) << source.error();
  EXPECT_EQ(source.names(), withTime(kInputs));
  // The first column is time by its place: valueAt(row, 0) here, which expectRows does
  // not expect, so the columns after it are checked one by one instead.
  for (std::size_t row = 0; row < 50; ++row) {
    ASSERT_EQ(source.next(), Status::row);
    for (std::size_t column = 0; column < 14; ++column) {
      float value = 0.0f;
      source.readSingle(column, value);
      ASSERT_EQ(bits(value), bits(static_cast<float>(valueAt(row, column))));
    }
  }
  EXPECT_EQ(source.next(), Status::end);
}

TEST(MatRowSource, ReadsAStructureWithTimeFromBothVersions) {
  for (const mat_ft version : {MAT_FT_MAT5, MAT_FT_MAT73}) {
    const std::string path = scratchPath("struct.mat");
    {
      MatFileWriter file(path, version, MAT_COMPRESSION_NONE);
      ASSERT_TRUE(file.ok() && file.addStructWithTime("log", 30, 13));
    }
    MatRowSource source;
    ASSERT_TRUE(source.open(path, "in.mat", inSlabsOf(4))) << source.error();
    EXPECT_EQ(source.names(), withTime(kInputs));
    expectRows(source, 30, 0);
  }
}

TEST(MatRowSource, ReadsCompressedSignalVariablesWholeInPortOrder) {
  const std::string path = scratchPath("signals.mat");
  {
    MatFileWriter file(path, MAT_FT_MAT5, MAT_COMPRESSION_ZLIB);
    ASSERT_TRUE(file.ok());
    // Written in reverse: the columns come in port order whatever the file's order.
    for (std::size_t k = kInputs.size(); k-- > 0;) {
      ASSERT_TRUE(file.addMatrix(kInputs[k], MAT_C_DOUBLE, 25, 1, k));
    }
  }
  MatRowSource source;
  ASSERT_TRUE(source.open(path, "in.mat", inSlabsOf(6))) << source.error();
  EXPECT_EQ(source.names(), kInputs);
  expectRows(source, 25, 0);
}

TEST(MatRowSource, NamesSixColumnsAsTheOutputsForAComparison) {
  const std::string path = scratchPath("outputs.mat");
  {
    MatFileWriter file(path, MAT_FT_MAT73, MAT_COMPRESSION_NONE);
    ASSERT_TRUE(file.ok() && file.addMatrix("y", MAT_C_DOUBLE, 9, 6));
  }
  MatRowSource source;
  ASSERT_TRUE(source.open(path, "out.mat", inSlabsOf(4, MatPurpose::signals))) << source.error();
  EXPECT_EQ(source.names(), kOutputs);
  ASSERT_EQ(source.next(), Status::row);
  EXPECT_EQ(source.field(0), "0");
  EXPECT_EQ(source.field(1), "193.36531");
  std::uint64_t remaining = 0;
  EXPECT_EQ(source.countRemainingRows(remaining), Status::end);
  EXPECT_EQ(remaining, 8u);
}

}  // namespace

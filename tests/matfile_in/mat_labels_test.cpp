// A structure's signals.label: its char matrix read row by row (the format stores it
// column by column), and the columns named by it exactly when it names each signal of
// the values once.
#include "matfile_in/mat_labels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <string>
#include <vector>

#include "matfile_in/mat_row_source.h"
#include "tests/matfile_in/mat_files.h"

namespace substitute_host {
namespace {

TEST(MatLabels, ACharMatrixGivesOneLabelPerRowWithoutItsPadding) {
  // Rows "ab ", "cde", "f  " stored column by column.
  const std::string text = std::string("acf") + "bd " + " e ";
  EXPECT_EQ(labelsOfCharMatrix(text, 3, 3), (std::vector<std::string>{"ab", "cde", "f"}));
}

TEST(MatLabels, TwoByteUnitsBeyondAsciiNameNoSignal) {
  const unsigned short units[3] = {'u', 0x00E9, 'c'};
  EXPECT_EQ(unitsAsText(units, 3, 2), "u?c");
}

MatLayout timeAndThree() {
  MatLayout layout;
  layout.names = {"time", "iabc1_a", "iabc1_b", "iabc1_c"};
  return layout;
}

TEST(MatLabels, NameTheValuesColumnsInTheirOrderAndLeaveTimeFirst) {
  MatLayout layout = timeAndThree();
  std::string error;
  ASSERT_TRUE(applyMatLabels({"iabc1_c", "iabc1_a", "iabc1_b"}, "x.signals.label", layout, error))
      << error;
  EXPECT_EQ(layout.names, (std::vector<std::string>{"time", "iabc1_c", "iabc1_a", "iabc1_b"}));
}

TEST(MatLabels, ALabelNamingNoSignalIsRefusedByName) {
  MatLayout layout = timeAndThree();
  std::string error;
  EXPECT_FALSE(applyMatLabels({"iabc1_c", "speed", "iabc1_b"}, "x.signals.label", layout, error));
  EXPECT_NE(error.find("'x.signals.label' names 'speed'"), std::string::npos) << error;
}

TEST(MatLabels, ASignalNamedTwiceOrNotAtAllIsRefused) {
  MatLayout layout = timeAndThree();
  std::string error;
  EXPECT_FALSE(applyMatLabels({"iabc1_a", "iabc1_a", "iabc1_b"}, "x.signals.label", layout, error));
  EXPECT_NE(error.find("'iabc1_a' twice"), std::string::npos) << error;
  EXPECT_FALSE(applyMatLabels({"iabc1_a", "iabc1_b"}, "x.signals.label", layout, error));
  EXPECT_NE(error.find("lacks 'iabc1_c'"), std::string::npos) << error;
  EXPECT_EQ(layout.names, timeAndThree().names);  // left as it was
}

// The block's inputs, shuffled: the order a labelled file gives its columns in.
const std::vector<std::string> kShuffled = {"steerAngle", "iabc1_b", "omega1",  "iabc1_a", "theta1",
                                            "iabc1_c",    "iabc2_b", "iabc2_a", "theta2",  "iabc2_c",
                                            "udc",        "omega2",  "iqCommand"};

// x.time, x.signals.values (rows by 13) and x.signals.label, a char matrix naming the
// columns in units of one byte or two, as libmatio writes them.
matvar_t* labelledStructure(std::size_t rows, std::vector<double>& values, std::vector<double>& time,
                            std::vector<std::uint16_t>& label, bool twoByteUnits) {
  values = matfile_test::block(rows, 13);
  time.assign(rows, 0.0);
  for (std::size_t r = 0; r < rows; ++r) time[r] = 5e-5 * static_cast<double>(r);
  constexpr std::size_t kWidth = 10;
  label.assign(13 * kWidth, ' ');
  std::vector<char> bytes;
  for (std::size_t i = 0; i < 13; ++i)
    for (std::size_t c = 0; c < kShuffled[i].size(); ++c) label[c * 13 + i] = kShuffled[i][c];
  // One byte a unit: the same units packed into the vector's storage.
  if (!twoByteUnits) {
    bytes.assign(label.begin(), label.end());
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(label.data()));
  }
  size_t column[2] = {rows, 1}, block[2] = {rows, 13}, labels[2] = {13, kWidth}, one[2] = {1, 1};
  const char* signalFields[2] = {"values", "label"};
  matvar_t* signals = Mat_VarCreateStruct("signals", 2, one, signalFields, 2);
  Mat_VarSetStructFieldByName(signals, "values", 0, Mat_VarCreate("values", MAT_C_DOUBLE, MAT_T_DOUBLE, 2, block, values.data(), MAT_F_DONT_COPY_DATA));
  Mat_VarSetStructFieldByName(signals, "label", 0, Mat_VarCreate("label", MAT_C_CHAR, twoByteUnits ? MAT_T_UINT16 : MAT_T_UINT8, 2, labels, label.data(), 0));
  const char* fields[2] = {"time", "signals"};
  matvar_t* x = Mat_VarCreateStruct("x", 2, one, fields, 2);
  Mat_VarSetStructFieldByName(x, "time", 0, Mat_VarCreate("time", MAT_C_DOUBLE, MAT_T_DOUBLE, 2, column, time.data(), MAT_F_DONT_COPY_DATA));
  Mat_VarSetStructFieldByName(x, "signals", 0, signals);
  return x;
}

std::string writeLabelled(const std::string& name, mat_ft version, matio_compression compression,
                          bool twoByteUnits) {
  const std::string path = matfile_test::scratchPath(name);
  std::vector<double> values, time;
  std::vector<std::uint16_t> label;
  matfile_test::MatFileWriter file(path, version, compression);
  EXPECT_TRUE(file.ok() && file.addVariable(labelledStructure(50, values, time, label, twoByteUnits)));
  return path;
}

// Uncompressed with one-byte and two-byte units; compressed with two (libmatio writes a
// compressed structure with one-byte chars damaged).
TEST(MatLabelledFile, ColumnsTakeTheirLabelsInALevel5FileCompressedOrNot) {
  const std::pair<matio_compression, bool> kinds[] = {
      {MAT_COMPRESSION_NONE, false}, {MAT_COMPRESSION_NONE, true}, {MAT_COMPRESSION_ZLIB, true}};
  for (const auto& [compression, twoByteUnits] : kinds) {
    MatRowSource source;
    ASSERT_TRUE(source.open(writeLabelled("labelled.mat", MAT_FT_MAT5, compression, twoByteUnits),
                            "in.mat", {}))
        << source.error();
    std::vector<std::string> expected{"time"};
    expected.insert(expected.end(), kShuffled.begin(), kShuffled.end());
    EXPECT_EQ(source.names(), expected);
    // The column labelled udc holds the values of the 11th column of the block.
    ASSERT_EQ(source.next(), RowSource::Status::row);
    const auto udc = static_cast<std::size_t>(std::find(expected.begin(), expected.end(), "udc") - expected.begin());
    float value = 0.0f;
    ASSERT_TRUE(source.readSingle(udc, value));
    EXPECT_EQ(value, static_cast<float>(matfile_test::valueAt(0, 10)));
  }
}

TEST(MatLabelledFile, ALabelInA73FileIsRefusedWithTheWayOut) {
  MatRowSource source;
  EXPECT_FALSE(source.open(writeLabelled("labelled73.mat", MAT_FT_MAT73, MAT_COMPRESSION_NONE, true), "in.mat", {}));
  EXPECT_NE(source.error().find("in.mat: variable 'x.signals.label' cannot be read from a 7.3 file"),
            std::string::npos)
      << source.error();
}

}  // namespace
}  // namespace substitute_host

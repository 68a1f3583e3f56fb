// The code-generation record writers, read back from the substitute host's recording
// writers: what reaches the record file, and what is refused before it does. Integer
// arguments of the list writers are plain int literals, which are int32 here.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "diagnostics.h"
#include "rtw_list_writers.h"
#include "rtw_pair_writers.h"
#include "rtw_work_vector_defines.h"
#include "substitute_host/records/host_block.h"
#include "substitute_host/records/writer_recorder.h"

namespace {

using Lines = std::vector<std::string>;
constexpr int kComplex = 0x10000;  // the complex bit of a data type word

// A message format with its %s and %d placeholders replaced by the texts, in order.
std::string filled(std::string format, const std::vector<std::string>& texts) {
  std::size_t at = 0;
  for (const std::string& text : texts) {
    at = format.find('%', at);
    format.replace(at, 2, text);
    at += text.size();
  }
  return format;
}

class RtwWriters : public ::testing::Test {
 protected:
  RtwWriters() { writer.plugInto(host); }
  SimStruct* S() { return host.record(); }
  std::string reported() {
    const char* status = host.record()->errorStatus;
    return status != nullptr ? status : "";
  }
  // The call failed with `message` after `written` writes; both are cleared for the next.
  void expectRefused(int result, const char* message, std::size_t written = 0) {
    EXPECT_EQ(result, 0);
    EXPECT_EQ(reported(), message);
    EXPECT_EQ(writer.writes.size(), written);
    host.record()->errorStatus = nullptr;
    writer.writes.clear();
  }

  substitute_host::HostBlock host;
  substitute_host::WriterRecorder writer;
  const double values[3] = {1.5, -2, 3};
  const double imaginary[3] = {-1, -2, -3};
  const int32_t ints[2] = {7, -8};
};

TEST_F(RtwWriters, WorkVectorDefinesPlaceEachPartAfterTheLast) {
  S()->sizes.entry[kSizeRealWork] = 5;
  EXPECT_EQ(writeRtwWorkVectorDefines(S(), "RWork", 2, "a", 2, "b", 3), 1);
  EXPECT_EQ(writer.lines(), (Lines{"pair 6 NumRWorkDefines = 2 word 6", "text RWorkDefine {",
                                   "pair 1 Name = a", "pair 6 Width = 2 word 6",
                                   "pair 6 StartIndex = 0 word 6", "text }",
                                   "text RWorkDefine {", "pair 1 Name = b",
                                   "pair 6 Width = 3 word 6", "pair 6 StartIndex = 2 word 6",
                                   "text }"}));
  EXPECT_EQ(reported(), "");
}

TEST_F(RtwWriters, WorkVectorDefinesReportWidthsThatMissTheDeclaredSize) {
  S()->sizes.entry[kSizeRealWork] = 5;
  EXPECT_EQ(writeRtwWorkVectorDefines(S(), "RWork", 2, "a", 2, "b", 2), 0);
  EXPECT_EQ(reported(), filled(kDiagWorkVectorSizeMismatchFormat, {"RWork", "4", "RWork", "5"}));
  EXPECT_EQ(writer.writes.size(), 11u);  // what was written stays written
  // Each vector's size sits in its own entry.
  S()->sizes.entry[kSizeIntegerWork] = 4;
  S()->sizes.entry[kSizePointerWork] = 1;
  EXPECT_EQ(writeRtwWorkVectorDefines(S(), "IWork", 1, "i", 4), 1);
  EXPECT_EQ(writeRtwWorkVectorDefines(S(), "PWork", 1, "p", 1), 1);
  EXPECT_EQ(writeRtwWorkVectorDefines(S(), "IWork", 1, "i", 5), 0);
}

TEST_F(RtwWriters, WorkVectorDefinesRefuseUnknownVectorsEmptyListsAndStopAtAFailedWrite) {
  expectRefused(writeRtwWorkVectorDefines(S(), "rwork", 1, "a", 1),
                kDiagInvalidRtwWorkVectorName);
  expectRefused(writeRtwWorkVectorDefines(S(), nullptr, 1, "a", 1),
                kDiagInvalidRtwWorkVectorName);
  expectRefused(writeRtwWorkVectorDefines(S(), "RWork", 0), kDiagInvalidRtwWorkVectorNumArgs);
  expectRefused(writeRtwWorkVectorDefines(S(), "RWork", -1), kDiagInvalidRtwWorkVectorNumArgs);
  S()->sizes.entry[kSizeRealWork] = 5;
  writer.resultAt[3] = 0;  // the first part's Width
  EXPECT_EQ(writeRtwWorkVectorDefines(S(), "RWork", 2, "a", 2, "b", 3), 0);
  EXPECT_EQ(writer.writes.size(), 4u);
  EXPECT_EQ(reported(), "");  // the writer's failure, not a size mismatch
}

TEST_F(RtwWriters, PairReadsTheArgumentsOfItsCode) {
  const RtwComplexPair parts{values, imaginary};
  EXPECT_EQ(writeRtwPair(S(), kRtwPairText, "t", "hello"), 1);
  EXPECT_EQ(writeRtwPair(S(), kRtwPairItems, "items", values, 4), 1);
  EXPECT_EQ(writeRtwPair(S(), kRtwPairNumber, "n", values, 0), 1);
  EXPECT_EQ(writeRtwPair(S(), kRtwPairVector, "v", values, 0, 3), 1);
  EXPECT_EQ(writeRtwPair(S(), kRtwPairTypedMatrix, "m", ints, 6, 1, 2), 1);
  EXPECT_EQ(writeRtwPair(S(), kRtwPairComplexVector, "c", &parts, kComplex, 2), 1);
  EXPECT_EQ(writeRtwComplexMatrixPair(S(), "cm", values, imaginary, kComplex, 2, 1), 1);
  EXPECT_EQ(writeRtwComplexVectorPair(S(), "rv", values, nullptr, 0, 1), 1);
  // Empty values are written without data: an empty vector, a 0 by 0 matrix.
  EXPECT_EQ(writeRtwPair(S(), kRtwPairMatrix, "e", nullptr, 0, 0, 0), 1);
  EXPECT_EQ(writeRtwPair(S(), kRtwPairComplexVector, "ec", nullptr, kComplex, 0), 1);
  EXPECT_EQ(writer.lines(),
            (Lines{"pair 0 t = hello", "pair 2 items = [4 x 1]", "pair 3 n = 1.5 word 0",
                   "pair 4 v = 1.5 -2 3 [3 x 1] word 0", "pair 8 m = 7 -8 [1 x 2] word 6",
                   "pair 9 c = 1.5 -2 -1i -2i [2 x 1] word 65536",
                   "pair 10 cm = 1.5 -2 -1i -2i [2 x 1] word 65536", "pair 9 rv = 1.5 word 0",
                   "pair 5 e = [0 x 0] word 0", "pair 9 ec = [0 x 1] word 65536"}));
  writer.defaultResult = 7;  // the writer's answer comes back as it is
  EXPECT_EQ(writeRtwPair(S(), kRtwPairTextOtherKind, "u", "x"), 7);
  EXPECT_EQ(reported(), "");
}

TEST_F(RtwWriters, PairRefusesBadCodesNamesDimensionsAndMissingValues) {
  expectRefused(writeRtwPair(S(), -1, "x", values), kDiagInvalidRtwPairValueType);
  expectRefused(writeRtwPair(S(), 11, "x", values), kDiagInvalidRtwPairValueType);
  expectRefused(writeRtwPair(S(), kRtwPairText, nullptr, "v"), kDiagInvalidRtwPairName);
  expectRefused(writeRtwPair(S(), kRtwPairText, "", "v"), kDiagInvalidRtwPairName);
  expectRefused(writeRtwPair(S(), kRtwPairVector, "v", values, 0, -1),
                kDiagInvalidRtwPairDimension);
  expectRefused(writeRtwPair(S(), kRtwPairMatrix, "m", values, 0, 2, -1),
                kDiagInvalidRtwPairDimension);
  expectRefused(writeRtwPair(S(), kRtwPairMatrix, "m", values, 0, 2, 0),
                kDiagInvalidRtwPairDimension);
  expectRefused(writeRtwPair(S(), kRtwPairComplexMatrix, "m", values, 0, 0, 3),
                kDiagInvalidRtwPairDimension);
  const RtwComplexPair realOnly{values, nullptr}, noReal{nullptr, imaginary};
  expectRefused(writeRtwPair(S(), kRtwPairText, "t", nullptr), kDiagNullRtwPair);
  expectRefused(writeRtwPair(S(), kRtwPairVector, "v", nullptr, 0, 2), kDiagNullRtwPair);
  expectRefused(writeRtwPair(S(), kRtwPairComplexVector, "c", &realOnly, kComplex, 2),
                kDiagNullRtwPair);
  expectRefused(writeRtwPair(S(), kRtwPairComplexVector, "c", &noReal, 0, 2), kDiagNullRtwPair);
  expectRefused(writeRtwPair(S(), kRtwPairComplexMatrix, "c", nullptr, 0, 1, 1),
                kDiagNullRtwPair);
}

TEST_F(RtwWriters, ParametersPassEachCodesArgumentsInTheirOrder) {
  EXPECT_EQ(writeRtwParameters(S(), 0), 1);
  EXPECT_EQ(writeRtwParameters(S(), -3), 1);
  EXPECT_TRUE(writer.writes.empty());
  EXPECT_EQ(writeRtwParameters(S(), 7, 4, "v", "p1", values, 2, 5, "m", "p2", values, 1, 3,
                               7, "tv", "p3", ints, 2, 6, 8, "tm", "p4", ints, 2, 1, 6,
                               9, "cv", "p5", values, imaginary, 1, kComplex,
                               10, "cm", "p6", values, imaginary, 1, 2, kComplex,
                               4, "e", "p7", nullptr, 0),
            1);
  EXPECT_EQ(writer.lines(),
            (Lines{"param 4 v 'p1' = 1.5 -2 [2 x 1] word 0",
                   "param 5 m 'p2' = 1.5 -2 3 [1 x 3] word 0",
                   "param 7 tv 'p3' = 7 -8 [2 x 1] word 6", "param 8 tm 'p4' = 7 -8 [2 x 1] word 6",
                   "param 9 cv 'p5' = 1.5 -1i word 65536",
                   "param 10 cm 'p6' = 1.5 -2 -1i -2i [1 x 2] word 65536",
                   "param 4 e 'p7' = [0 x 0] word 0"}));
  // Any nonzero answer lets the list go on and the last is the result; 0 ends it quietly.
  writer.resultAt = {{7, 2}, {8, 3}, {10, 0}};
  EXPECT_EQ(writeRtwParameters(S(), 2, 4, "a", "", values, 1, 4, "b", "", values, 1), 3);
  EXPECT_EQ(writeRtwParameters(S(), 3, 4, "a", "", values, 1, 4, "b", "", values, 1, 4, "c",
                               "", values, 1),
            0);
  EXPECT_EQ(writer.writes.size(), 11u);
  EXPECT_EQ(reported(), "");
}

TEST_F(RtwWriters, ParametersRefuseOtherCodesAndImpossibleArguments) {
  for (int code : {-1, 0, 1, 2, 3, 6, 11}) {
    SCOPED_TRACE(code);
    expectRefused(writeRtwParameters(S(), 1, code, "x", "", values, 1),
                  kDiagInvalidRtwParamValueType);
  }
  const auto vector = [&](const char* name, const void* data, int count) {
    return writeRtwParameters(S(), 1, 4, name, "", data, count);
  };
  const auto matrix = [&](int rows, int columns) {
    return writeRtwParameters(S(), 1, 5, "x", "", values, rows, columns);
  };
  expectRefused(vector("", values, 1), kDiagInvalidRtwParamArgument);
  expectRefused(vector(nullptr, values, 1), kDiagInvalidRtwParamArgument);
  expectRefused(vector("x", nullptr, 2), kDiagInvalidRtwParamArgument);
  expectRefused(vector("x", values, -1), kDiagInvalidRtwParamArgument);
  expectRefused(matrix(2, -1), kDiagInvalidRtwParamArgument);
  expectRefused(matrix(0, 2), kDiagInvalidRtwParamArgument);
  expectRefused(matrix(2, 0), kDiagInvalidRtwParamArgument);
  // The split forms need their parts, not just a pair record to hold them.
  expectRefused(writeRtwParameters(S(), 1, 9, "x", "", nullptr, imaginary, 1, 0),
                kDiagInvalidRtwParamArgument);
  expectRefused(writeRtwParameters(S(), 1, 9, "x", "", values, nullptr, 1, kComplex),
                kDiagInvalidRtwParamArgument);
  // Earlier parameters stay written; a refused one ends the list.
  expectRefused(writeRtwParameters(S(), 3, 4, "a", "", values, 1, 4, "", "", values, 1, 4, "c",
                                   "", values, 1),
                kDiagInvalidRtwParamArgument, 1);
}

TEST_F(RtwWriters, ParamSettingsFormOneClosedRecord) {
  EXPECT_EQ(writeRtwParamSettings(S(), 0), 0);
  EXPECT_TRUE(writer.writes.empty());
  const double quarter = 0.25;
  EXPECT_EQ(writeRtwParamSettings(S(), 11, 0, "t", "text", 1, "u", "other",
                                  2, "items", values, 2, 3, "gain", 2.5, 4, "v", values, 2,
                                  5, "m", values, 3, 1, 6, "k", &quarter, 0, 7, "tv", ints, 2, 6,
                                  8, "tm", ints, 1, 2, 6,
                                  9, "cv", values, imaginary, 1, kComplex,
                                  10, "cm", values, nullptr, 2, 1, 0),
            1);
  EXPECT_EQ(writer.lines(),
            (Lines{"text SFcnParamSettings {", "pair 0 t = text", "pair 1 u = other",
                   "pair 2 items = [2 x 1]", "pair 3 gain = 2.5 word 0",
                   "pair 4 v = 1.5 -2 [2 x 1] word 0", "pair 5 m = 1.5 -2 3 [3 x 1] word 0",
                   "pair 6 k = 0.25 word 0", "pair 7 tv = 7 -8 [2 x 1] word 6",
                   "pair 8 tm = 7 -8 [1 x 2] word 6", "pair 9 cv = 1.5 -1i word 65536",
                   "pair 10 cm = 1.5 -2 [2 x 1] word 0", "text }"}));
  writer.writes.clear();
  writer.resultAt[2] = 4;  // the closing write's answer is the result
  EXPECT_EQ(writeRtwParamSettings(S(), 1, 0, "t", "x"), 4);
}

TEST_F(RtwWriters, ParamSettingsLeaveTheRecordOpenAfterAFailedItem) {
  expectRefused(writeRtwParamSettings(S(), 2, 0, "t", "x", 11, "bad", values),
                kDiagInvalidRtwParamSetting, 2);
  expectRefused(writeRtwParamSettings(S(), 2, 0, "t", "x", -1, "bad", values),
                kDiagInvalidRtwParamSetting, 2);
  EXPECT_EQ(writeRtwParamSettings(S(), 3, 0, "t", "x", 0, "", "y", 0, "z", "w"), 0);
  EXPECT_EQ(reported(), kDiagInvalidRtwPairName);
  EXPECT_EQ(writer.lines(), (Lines{"text SFcnParamSettings {", "pair 0 t = x"}));
  // The writer's own failures end the record too, with the writer's answer.
  writer.writes.clear();
  writer.resultAt = {{1, 5}};
  EXPECT_EQ(writeRtwParamSettings(S(), 2, 0, "t", "x", 0, "z", "w"), 5);
  EXPECT_EQ(writer.writes.size(), 2u);
  writer.writes.clear();
  writer.resultAt = {{0, 0}};
  EXPECT_EQ(writeRtwParamSettings(S(), 1, 0, "t", "x"), 0);
  EXPECT_EQ(writer.writes.size(), 1u);
}

TEST_F(RtwWriters, AbsentWritersAreNotCalled) {
  S()->sizes.entry[kSizeRealWork] = 1;
  host.modelInfo().writeText = nullptr;
  host.modelInfo().writePair = nullptr;
  host.modelInfo().writeParameter = nullptr;
  EXPECT_EQ(writeRtwText(S(), "x", nullptr, nullptr), 0);
  EXPECT_EQ(writeRtwPair(S(), kRtwPairText, "t", "x"), 0);
  EXPECT_EQ(writeRtwParameters(S(), 1, 4, "a", "", values, 1), 0);
  EXPECT_EQ(writeRtwParamSettings(S(), 1, 0, "t", "x"), 0);
  EXPECT_EQ(writeRtwWorkVectorDefines(S(), "RWork", 1, "a", 1), 0);
  EXPECT_EQ(reported(), "");
}

}  // namespace

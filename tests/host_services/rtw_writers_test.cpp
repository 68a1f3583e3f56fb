// The code-generation record writers, read back from the substitute host's recording
// writers: what reaches the record file, and what is refused before it does. Integer
// arguments of the list writers are plain int literals, which are int32 here. The block
// under test is a child of a model root, which receives every error.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "rtw_list_writers.h"
#include "rtw_pair_writers.h"
#include "rtw_work_vector_defines.h"
#include "tests/support/recording_host_block.h"
#include "tests/support/writer_recorder.h"
#include "tests/support/diagnostic_texts.h"

namespace {

using Lines = std::vector<std::string>;
constexpr int kComplex = 0x10000;  // the complex bit of a data type word

std::string diag(const char* id) { return fixedDiagnostic(std::string("Simulink:SFunctions:") + id); }

class RtwWriters : public ::testing::Test {
 protected:
  RtwWriters() {
    writer.plugInto(host);
    root.modelInfo().flags = 0xFF;
  }
  SimStruct* S() { return host.record(); }
  std::string reported() {
    const char* status = root.record()->errorStatus;
    return status != nullptr ? status : "";
  }
  // The call failed with `message` on the root record, the error-kind bit cleared, after
  // `written` writes; everything is reset for the next call.
  void expectRefused(int result, const std::string& message, std::size_t written = 0) {
    EXPECT_EQ(result, 0);
    EXPECT_EQ(reported(), message);
    EXPECT_EQ(host.record()->errorStatus, nullptr);  // never the block's own record
    EXPECT_EQ(root.modelInfo().flags, 0xFF & ~0x10);
    EXPECT_EQ(writer.writes.size(), written);
    root.record()->errorStatus = nullptr;
    root.modelInfo().flags = 0xFF;
    writer.writes.clear();
  }

  test_doubles::RecordingHostBlock root{"model root"};
  test_doubles::RecordingHostBlock host{"Corvalent2", &root};
  test_doubles::WriterRecorder writer;
  const double values[3] = {1.5, -2, 3};
  const double imaginary[3] = {-1, -2, -3};
  const int32_t ints[2] = {7, -8};
};

TEST_F(RtwWriters, WorkVectorDefinesPlaceEachPartAfterTheLast) {
  S()->sizes.entry[kSizeRealWork] = 5;
  EXPECT_EQ(writeRtwWorkVectorDefines(S(), "RWork", 2, "a", 2, "b", 3), 1);
  EXPECT_EQ(writer.lines(),
            (Lines{"pair 6 NumRWorkDefines = 2 word 6", "text RWorkDefine {",
                   "pair 1 Name = a word 0", "pair 6 Width = 2 word 6",
                   "pair 6 StartIndex = 0 word 6", "text }", "text RWorkDefine {",
                   "pair 1 Name = b word 0", "pair 6 Width = 3 word 6",
                   "pair 6 StartIndex = 2 word 6", "text }"}));
  EXPECT_EQ(reported(), "");
}

TEST_F(RtwWriters, WorkVectorDefinesReportWidthsThatMissTheDeclaredSize) {
  S()->sizes.entry[kSizeRealWork] = 5;
  expectRefused(writeRtwWorkVectorDefines(S(), "RWork", 2, "a", 2, "b", 2),
                "<diag_root><diag id=\"Simulink:SFunctions:SimStructRTWWorkVectorSizeMismatch\">"
                "<arguments><arg type=\"string\">RWork</arg><arg type=\"numeric\">4</arg>"
                "<arg type=\"string\">RWork</arg><arg type=\"numeric\">5</arg></arguments>"
                "</diag></diag_root>",
                11);  // what was written stays written
  EXPECT_EQ(root.record()->errorStatus, nullptr);
  // Each vector's size sits in its own entry.
  S()->sizes.entry[kSizeIntegerWork] = 4;
  S()->sizes.entry[kSizePointerWork] = 1;
  EXPECT_EQ(writeRtwWorkVectorDefines(S(), "IWork", 1, "i", 4), 1);
  EXPECT_EQ(writeRtwWorkVectorDefines(S(), "PWork", 1, "p", 1), 1);
  writer.writes.clear();
  S()->sizes.entry[kSizeRealWork] = 7;
  expectRefused(writeRtwWorkVectorDefines(S(), "IWork", 1, "i", 5),
                "<diag_root><diag id=\"Simulink:SFunctions:SimStructRTWWorkVectorSizeMismatch\">"
                "<arguments><arg type=\"string\">IWork</arg><arg type=\"numeric\">5</arg>"
                "<arg type=\"string\">IWork</arg><arg type=\"numeric\">4</arg></arguments>"
                "</diag></diag_root>",
                6);
  // The formatted message lies in the root's error buffer.
  writeRtwWorkVectorDefines(S(), "PWork", 1, "p", 2);
  EXPECT_EQ(root.record()->errorStatus, root.errorBuffer());
}

TEST_F(RtwWriters, WorkVectorDefinesRefuseUnknownVectorsEmptyListsAndStopAtAFailedWrite) {
  expectRefused(writeRtwWorkVectorDefines(S(), "rwork", 1, "a", 1),
                diag("SimStructInvalidRTWWorkVectorName"));
  expectRefused(writeRtwWorkVectorDefines(S(), nullptr, 1, "a", 1),
                diag("SimStructInvalidRTWWorkVectorName"));
  expectRefused(writeRtwWorkVectorDefines(S(), "RWork", 0),
                diag("SimStructInvalidRTWWorkVectorNumArgs"));
  expectRefused(writeRtwWorkVectorDefines(S(), "RWork", -1),
                diag("SimStructInvalidRTWWorkVectorNumArgs"));
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
  EXPECT_EQ(writer.lines(),
            (Lines{"pair 0 t = hello word 0", "pair 2 items = [4 x 1] word 0",
                   "pair 3 n = 1.5 word 0", "pair 4 v = 1.5 -2 3 [3 x 1] word 0",
                   "pair 8 m = 7 -8 [1 x 2] word 6",
                   "pair 9 c = 1.5 -2 -1i -2i [2 x 1] word 65536",
                   "pair 10 cm = 1.5 -2 -1i -2i [2 x 1] word 65536", "pair 9 rv = 1.5 word 0"}));
  writer.defaultResult = 7;  // the writer's answer comes back as it is
  EXPECT_EQ(writeRtwPair(S(), kRtwPairTextOtherKind, "u", "x"), 7);
  EXPECT_EQ(reported(), "");
}

// Empty values are written without their data being looked at: a vector of no elements
// is 0 by 1, a matrix 0 by 0.
TEST_F(RtwWriters, EmptyPairsNeedNoValue) {
  EXPECT_EQ(writeRtwPair(S(), kRtwPairVector, "z", nullptr, 0, 0), 1);
  EXPECT_EQ(writeRtwPair(S(), kRtwPairMatrix, "e", nullptr, 0, 0, 0), 1);
  EXPECT_EQ(writeRtwPair(S(), kRtwPairComplexVector, "ec", nullptr, kComplex, 0), 1);
  EXPECT_EQ(writer.lines(), (Lines{"pair 4 z = [0 x 1] word 0", "pair 5 e = [0 x 0] word 0",
                                   "pair 9 ec = [0 x 1] word 65536"}));
  EXPECT_EQ(writer.writes[0].value, nullptr);
  EXPECT_EQ(reported(), "");
}

// The data type word the pair writer receives, code by code: none is read for the text
// and item codes, the caller's for every numeric code.
TEST_F(RtwWriters, PairPassesTheDataTypeWordOfEveryCode) {
  const RtwComplexPair parts{values, imaginary};
  const int32_t word = 0x10006;
  writeRtwPair(S(), 0, "c0", "x", word);
  writeRtwPair(S(), 1, "c1", "x", word);
  writeRtwPair(S(), 2, "c2", values, 1, word);
  writeRtwPair(S(), 3, "c3", values, word);
  writeRtwPair(S(), 4, "c4", values, word, 1);
  writeRtwPair(S(), 5, "c5", values, word, 1, 1);
  writeRtwPair(S(), 6, "c6", ints, word);
  writeRtwPair(S(), 7, "c7", ints, word, 1);
  writeRtwPair(S(), 8, "c8", ints, word, 1, 1);
  writeRtwPair(S(), 9, "c9", &parts, word, 1);
  writeRtwPair(S(), 10, "c10", &parts, word, 1, 1);
  ASSERT_EQ(writer.writes.size(), 11u);
  for (int code = 0; code <= 10; ++code) {
    EXPECT_EQ(writer.writes[code].typeCode, code);
    EXPECT_EQ(writer.writes[code].dataTypeWord, code <= 2 ? 0 : word) << "code " << code;
    EXPECT_EQ(writer.writes[code].rows, 1) << "code " << code;
    EXPECT_EQ(writer.writes[code].columns, 1) << "code " << code;
  }
}

TEST_F(RtwWriters, PairRefusesBadCodesNamesDimensionsAndMissingValues) {
  expectRefused(writeRtwPair(S(), -1, "x", values), diag("SimStructInvalidRTWPairValueType"));
  expectRefused(writeRtwPair(S(), 11, "x", values), diag("SimStructInvalidRTWPairValueType"));
  expectRefused(writeRtwPair(S(), kRtwPairText, nullptr, "v"), diag("SimStructInvalidRTWPairName"));
  expectRefused(writeRtwPair(S(), kRtwPairText, "", "v"), diag("SimStructInvalidRTWPairName"));
  const std::string dimension = diag("SimStructInvalidRTWPairDimension");
  expectRefused(writeRtwPair(S(), kRtwPairVector, "v", values, 0, -1), dimension);
  expectRefused(writeRtwPair(S(), kRtwPairMatrix, "m", values, 0, 2, -1), dimension);
  expectRefused(writeRtwPair(S(), kRtwPairMatrix, "m", values, 0, 2, 0), dimension);
  expectRefused(writeRtwPair(S(), kRtwPairMatrix, "m", values, 0, 0, 3), dimension);
  expectRefused(writeRtwPair(S(), kRtwPairTypedMatrix, "m", values, 0, 0, 3), dimension);
  expectRefused(writeRtwPair(S(), kRtwPairComplexMatrix, "m", values, 0, 0, 3), dimension);
  const RtwComplexPair realOnly{values, nullptr}, noReal{nullptr, imaginary};
  const std::string null = diag("SimStructNullRTWPair");
  expectRefused(writeRtwPair(S(), kRtwPairText, "t", nullptr), null);
  expectRefused(writeRtwPair(S(), kRtwPairVector, "v", nullptr, 0, 2), null);
  expectRefused(writeRtwPair(S(), kRtwPairComplexVector, "c", &realOnly, kComplex, 2), null);
  expectRefused(writeRtwPair(S(), kRtwPairComplexVector, "c", &noReal, 0, 2), null);
  expectRefused(writeRtwPair(S(), kRtwPairComplexMatrix, "c", nullptr, 0, 1, 1), null);
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

// The split forms hand the host a pair record of the two parts, whatever the parts
// hold: a missing part is the host's to judge, not the library's.
TEST_F(RtwWriters, ParametersPassTheSplitFormsWithoutLookingAtTheParts) {
  EXPECT_EQ(writeRtwParameters(S(), 2, 9, "x", "p", nullptr, nullptr, 2, kComplex,
                               10, "y", "q", nullptr, imaginary, 1, 1, 0),
            1);
  ASSERT_EQ(writer.writes.size(), 2u);
  EXPECT_EQ(reported(), "");
  for (const auto& write : writer.writes) EXPECT_NE(write.value, nullptr);
  EXPECT_EQ(writer.lines(),
            (Lines{"param 9 x 'p' = [2 x 1] word 65536", "param 10 y 'q' = word 0"}));
}

TEST_F(RtwWriters, ParametersRefuseOtherCodesAndImpossibleArguments) {
  for (int code : {-1, 0, 1, 2, 3, 6, 11}) {
    SCOPED_TRACE(code);
    expectRefused(writeRtwParameters(S(), 1, code, "x", "", values, 1),
                  diag("SimStructInvalidRTWParamValueType"));
  }
  const auto vector = [&](const char* name, const void* data, int count) {
    return writeRtwParameters(S(), 1, 4, name, "", data, count);
  };
  const auto matrix = [&](int rows, int columns) {
    return writeRtwParameters(S(), 1, 5, "x", "", values, rows, columns);
  };
  const std::string argument = diag("SimStructInvalidRTWParamArgument");
  expectRefused(vector("", values, 1), argument);
  expectRefused(vector(nullptr, values, 1), argument);
  expectRefused(vector("x", nullptr, 2), argument);
  expectRefused(vector("x", values, -1), argument);
  expectRefused(matrix(2, -1), argument);
  expectRefused(matrix(-1, 2), argument);
  expectRefused(matrix(0, 2), argument);
  expectRefused(matrix(2, 0), argument);
  // Earlier parameters stay written; a refused one ends the list.
  expectRefused(writeRtwParameters(S(), 3, 4, "a", "", values, 1, 4, "", "", values, 1, 4, "c",
                                   "", values, 1),
                argument, 1);
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
            (Lines{"text SFcnParamSettings {", "pair 0 t = text word 0", "pair 1 u = other word 0",
                   "pair 2 items = [2 x 1] word 0", "pair 3 gain = 2.5 word 0",
                   "pair 4 v = 1.5 -2 [2 x 1] word 0", "pair 5 m = 1.5 -2 3 [3 x 1] word 0",
                   "pair 6 k = 0.25 word 0", "pair 7 tv = 7 -8 [2 x 1] word 6",
                   "pair 8 tm = 7 -8 [1 x 2] word 6", "pair 9 cv = 1.5 -1i word 65536",
                   "pair 10 cm = 1.5 -2 [2 x 1] word 0", "text }"}));
  writer.writes.clear();
  writer.resultAt[2] = 4;  // the closing write's answer is the result
  EXPECT_EQ(writeRtwParamSettings(S(), 1, 0, "t", "x"), 4);
}

// Codes 3 to 5 carry no word of the caller's and pass 0; 6 to 10 pass the caller's.
TEST_F(RtwWriters, ParamSettingsPassTheDataTypeWordOfEveryCode) {
  const int word = 6;
  EXPECT_EQ(writeRtwParamSettings(S(), 8, 3, "c3", 1.0, 4, "c4", values, 1, 5, "c5", values, 1, 1,
                                  6, "c6", ints, word, 7, "c7", ints, 1, word,
                                  8, "c8", ints, 1, 1, word, 9, "c9", values, imaginary, 1, word,
                                  10, "c10", values, imaginary, 1, 1, word),
            1);
  ASSERT_EQ(writer.writes.size(), 10u);
  for (int code = 3; code <= 10; ++code)
    EXPECT_EQ(writer.writes[code - 2].dataTypeWord, code <= 5 ? 0 : word) << "code " << code;
}

TEST_F(RtwWriters, ParamSettingsLeaveTheRecordOpenAfterAFailedItem) {
  expectRefused(writeRtwParamSettings(S(), 2, 0, "t", "x", 11, "bad", values),
                diag("SimStructInvalidRTWParamSetting"), 2);
  expectRefused(writeRtwParamSettings(S(), 2, 0, "t", "x", -1, "bad", values),
                diag("SimStructInvalidRTWParamSetting"), 2);
  EXPECT_EQ(writeRtwParamSettings(S(), 3, 0, "t", "x", 0, "", "y", 0, "z", "w"), 0);
  EXPECT_EQ(writer.lines(), (Lines{"text SFcnParamSettings {", "pair 0 t = x word 0"}));
  expectRefused(0, diag("SimStructInvalidRTWPairName"), 2);
  // The settings' split forms are pairs: their parts are checked as a pair's are.
  expectRefused(writeRtwParamSettings(S(), 1, 9, "c", values, nullptr, 1, kComplex),
                diag("SimStructNullRTWPair"), 1);
  // The writer's own failures end the record too, with the writer's answer.
  writer.resultAt = {{1, 5}};
  EXPECT_EQ(writeRtwParamSettings(S(), 2, 0, "t", "x", 0, "z", "w"), 5);
  EXPECT_EQ(writer.writes.size(), 2u);
  writer.writes.clear();
  writer.resultAt = {{0, 0}};
  EXPECT_EQ(writeRtwParamSettings(S(), 1, 0, "t", "x"), 0);
  EXPECT_EQ(writer.writes.size(), 1u);
  EXPECT_EQ(reported(), "");
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

TEST_F(RtwWriters, TextGoesToTheTextWriterUnchanged) {
  int second = 0, third = 0;
  writer.defaultResult = 9;
  EXPECT_EQ(writeRtwText(S(), "raw", &second, &third), 9);
  ASSERT_EQ(writer.writes.size(), 1u);
  EXPECT_EQ(writer.writes[0].text, "raw");
  EXPECT_EQ(writer.writes[0].second, &second);
  EXPECT_EQ(writer.writes[0].third, &third);
}

}  // namespace

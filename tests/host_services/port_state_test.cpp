// Tolerances, port dimensions and widths, and data type ids: what the plug-in leaves in
// the host's tables and what it tells the host's dimension-info services.
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "absolute_tolerance.h"
#include "data_type_ids.h"
#include "port_dimensions.h"
#include "tests/support/recording_host_block.h"
#include "substitute_host/runtime/host_arrays.h"

namespace {

using test_doubles::DimensionInfoCall;
using test_doubles::RecordingHostBlock;

constexpr const char* kBadTolerance = "Incorrect absolute tolerance value.";

TEST(AbsoluteTolerance, TakesFiniteValuesNotBelowZeroAndLeavesMinusOneToTheSolver) {
  RecordingHostBlock host;
  host.allocateTolerances(4);
  setAbsoluteTolerance(host.record(), 0, -1.0);
  setAbsoluteTolerance(host.record(), 1, 0.0);
  setAbsoluteTolerance(host.record(), 2, -0.0);
  setAbsoluteTolerance(host.record(), 3, 1e-6);
  EXPECT_EQ(host.toleranceMarks(), (std::vector<uint8_t>{0, 1, 1, 1}));
  EXPECT_EQ(host.absoluteTolerances(), (std::vector<double>{0.0, 0.0, 0.0, 1e-6}));
  EXPECT_TRUE(std::signbit(host.absoluteTolerances()[2]));
  EXPECT_EQ(host.record()->errorStatus, nullptr);
}

TEST(AbsoluteTolerance, RefusesNegativeAndNonFiniteValues) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  for (double value : {-2.0, inf, -inf, std::nan("")}) {
    SCOPED_TRACE(value);
    RecordingHostBlock root("model root");
    RecordingHostBlock host("Corvalent2", &root);
    root.modelInfo().flags = 0xFF;
    host.allocateTolerances(1);
    setAbsoluteTolerance(host.record(), 0, value);
    EXPECT_STREQ(root.record()->errorStatus, kBadTolerance);  // on the root, not the block
    EXPECT_EQ(host.record()->errorStatus, nullptr);
    EXPECT_EQ(root.modelInfo().flags, 0xFF & ~0x10);
    EXPECT_EQ(host.toleranceMarks()[0], 0);
    EXPECT_EQ(host.absoluteTolerances()[0], 0.0);
  }
  RecordingHostBlock noTables;  // values are checked even with nowhere to put them
  setAbsoluteTolerance(noTables.record(), 0, 1.0);
  EXPECT_EQ(noTables.record()->errorStatus, nullptr);
  setAbsoluteTolerance(noTables.record(), 0, -2.0);
  EXPECT_STREQ(noTables.record()->errorStatus, kBadTolerance);
}

TEST(AbsoluteTolerance, TheArrayComesWithEveryStateMarked) {
  RecordingHostBlock host;
  host.allocateTolerances(3);
  host.record()->sizes.entry[kSizeContinuousStates] = 2;  // marks stop at the state count
  EXPECT_EQ(absoluteToleranceArray(host.record()), host.absoluteTolerances().data());
  EXPECT_EQ(host.toleranceMarks(), (std::vector<uint8_t>{1, 1, 0}));
  host.record()->solverInfo = nullptr;
  EXPECT_EQ(absoluteToleranceArray(host.record()), nullptr);
}

class PortDimensions : public ::testing::Test {
 protected:
  PortDimensions() {
    SimStruct* S = host.record();
    S->setInputPortCount(S->inputPortCountContext, 2);
    S->setOutputPortCount(S->outputPortCountContext, 2);
    host.dimensionInfoResult = 5;
  }
  RecordingHostBlock host;
};

TEST_F(PortDimensions, AVectorIsItsOwnOneDimension) {
  EXPECT_EQ(setInputPortVectorDimensions(host.record(), 1, 7), 5);
  ASSERT_EQ(host.inputDimensionCalls.size(), 1u);
  const DimensionInfoCall& call = host.inputDimensionCalls[0];
  EXPECT_EQ(call.port, 1);
  EXPECT_EQ(call.copy.width, 7);
  EXPECT_EQ(call.copy.dimensionCount, 1);
  EXPECT_EQ(static_cast<const void*>(call.copy.dimensions), call.dimensions);  // its width
  EXPECT_EQ(call.copy.further, nullptr);
  EXPECT_EQ(setOutputPortVectorDimensions(host.record(), 0, 3), 5);
  ASSERT_EQ(host.outputDimensionCalls.size(), 1u);
  EXPECT_EQ(host.outputDimensionCalls[0].dimensionValues, (std::vector<int32_t>{3}));
  host.offerDimensionInfoServices(false);
  EXPECT_EQ(setInputPortVectorDimensions(host.record(), 0, 7), 1);
  EXPECT_EQ(setOutputPortVectorDimensions(host.record(), 0, 7), 1);
}

TEST_F(PortDimensions, AMatrixWidthIsRowsTimesColumns) {
  struct Case {
    int32_t rows, columns, width;
  };
  for (const Case& c : {Case{3, 4, 12}, Case{-1, 4, -1}, Case{3, -1, -1}, Case{5, 0, 0},
                        Case{0, 0, 0}, Case{65535, 32768, 2147450880}}) {
    SCOPED_TRACE(testing::Message() << c.rows << " x " << c.columns);
    host.inputDimensionCalls.clear();
    EXPECT_EQ(setInputPortMatrixDimensions(host.record(), 0, c.rows, c.columns), 5);
    ASSERT_EQ(host.inputDimensionCalls.size(), 1u);
    const DimensionInfoCall& call = host.inputDimensionCalls[0];
    EXPECT_EQ(call.copy.width, c.width);
    EXPECT_EQ(call.copy.dimensionCount, 2);
    EXPECT_EQ(call.copy.further, nullptr);
    EXPECT_EQ(call.dimensionValues, (std::vector<int32_t>{c.rows, c.columns}));
  }
  EXPECT_EQ(setOutputPortMatrixDimensions(host.record(), 1, 2, 3), 5);
  ASSERT_EQ(host.outputDimensionCalls.size(), 1u);
  EXPECT_EQ(host.outputDimensionCalls[0].copy.width, 6);
}

TEST_F(PortDimensions, AWidthPastTheIntegerRangeIsRefusedBeforeTheHost) {
  host.inputDimensionCalls.clear();
  EXPECT_EQ(setInputPortMatrixDimensions(host.record(), 0, 65536, 32768), 0);
  EXPECT_EQ(setInputPortMatrixDimensions(host.record(), 0, INT32_MIN, 2), 0);
  // The range test divides by the columns: a negative count other than -1 fails it.
  EXPECT_EQ(setInputPortMatrixDimensions(host.record(), 0, 5, -2), 0);
  EXPECT_EQ(setOutputPortMatrixDimensions(host.record(), 0, 65536, 32768), 0);
  EXPECT_TRUE(host.inputDimensionCalls.empty());
  EXPECT_TRUE(host.outputDimensionCalls.empty());
  host.offerDimensionInfoServices(false);  // refused even with no service to ask
  EXPECT_EQ(setInputPortMatrixDimensions(host.record(), 0, 65536, 32768), 0);
  EXPECT_EQ(setInputPortMatrixDimensions(host.record(), 0, 3, 4), 1);
}

TEST_F(PortDimensions, CurrentWidthFollowsTheDimensionsMode) {
  SimStruct* S = host.record();
  host.inputPorts()[0].width = 6;
  host.setCurrentInputDimensions(0, {2, 5});
  EXPECT_EQ(currentInputPortWidth(S, 0), 6);  // mode zero: the declared width
  host.inputPorts()[0].dimensionsMode = 1;
  EXPECT_EQ(currentInputPortWidth(S, 0), 10);
  host.setCurrentInputDimensions(0, {2, 3, 4});
  EXPECT_EQ(currentInputPortWidth(S, 0), 24);
  host.setCurrentInputDimensions(0, {65536, 32768});
  EXPECT_EQ(currentInputPortWidth(S, 0), INT32_MIN);  // wraps as 32-bit arithmetic does
  host.setCurrentInputDimensions(0, {});
  EXPECT_EQ(currentInputPortWidth(S, 0), 1);
  // A port the host gave no current dimensions keeps its declared width.
  InputPortRecord& unknown = host.inputPorts()[1];
  unknown.width = 4;
  unknown.dimensionCount = 2;
  unknown.dimensionsMode = 1;
  EXPECT_EQ(currentInputPortWidth(S, 1), 4);
  host.outputPorts()[1].width = 9;
  host.setCurrentOutputDimensions(1, {3, 7});
  EXPECT_EQ(currentOutputPortWidth(S, 1), 9);
  host.outputPorts()[1].dimensionsMode = 2;
  EXPECT_EQ(currentOutputPortWidth(S, 1), 21);
}

TEST(DataTypeIds, NumericAndLogicalClassesHaveIdsOthersNone) {
  const std::pair<mxClassID, int32_t> cases[] = {
      {mxLOGICAL_CLASS, 8}, {mxDOUBLE_CLASS, 0}, {mxSINGLE_CLASS, 1},   {mxINT8_CLASS, 2},
      {mxUINT8_CLASS, 3},   {mxINT16_CLASS, 4},  {mxUINT16_CLASS, 5},   {mxINT32_CLASS, 6},
      {mxUINT32_CLASS, 7},  {mxINT64_CLASS, -10}, {mxUINT64_CLASS, -10}, {mxVOID_CLASS, -10}};
  for (const auto& [classId, id] : cases) {
    SCOPED_TRACE(classId);
    EXPECT_EQ(dataTypeIdOfArray(substitute_host::makeNumericMatrix(classId, 1, 1).get()), id);
  }
  EXPECT_EQ(dataTypeIdOfArray(substitute_host::makeText("ab").get()), -10);
  EXPECT_EQ(dataTypeIdOfArray(substitute_host::makeCell(2).get()), -10);
  EXPECT_EQ(dataTypeIdOfArray(nullptr), -10);
}

}  // namespace

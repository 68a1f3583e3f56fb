// The block's declaration and methods on records built here, as the gateway or a host
// would build them.
#include <gtest/gtest.h>

#include <cstring>

#include "block_methods.h"
#include "private_record.h"
#include "tests/support/recording_host_block.h"
#include "runtime/gateway_call.h"

namespace {

using test_doubles::RecordingHostBlock;

TEST(DeclareSizes, ZeroFilledPrivateRecordWithTheSetters) {
  SimStruct* block = buildPrivateRecord(0, nullptr);
  mdlDeclareSizes(block);
  EXPECT_EQ(block->sizes.entry[kSizeInputPorts], 9);
  EXPECT_EQ(block->sizes.entry[kSizeOutputPorts], 2);
  EXPECT_EQ(block->sizes.entry[kSizeFlags], 0x80002);
  EXPECT_EQ(static_cast<uint32_t>(block->sizes.entry[kSizeOptions]), 0x20080002u);
  EXPECT_EQ(block->inputPorts[0].width, 3);
  EXPECT_EQ(block->inputPorts[2].width, 1);
  EXPECT_EQ(block->outputPorts[1].width, 3);
  EXPECT_EQ(block->root, block);
  EXPECT_STREQ(block->name, "Corvalent2");
  EXPECT_STREQ(block->modelName, "Corvalent2");
}

TEST(DeclareSizes, OnePassedDialogParameterLeavesEverythingButTheExpectedCount) {
  RecordingHostBlock host;
  SimStruct* block = host.record();
  block->dialogParameterCount = 1;
  block->sizes.entry[kSizeExpectedDialogParameters] = 5;
  block->sizes.entry[kSizeSampleTimes] = 3;
  block->sizes.entry[kSizeOptions] = 0x11;
  mdlDeclareSizes(block);
  EXPECT_EQ(block->sizes.entry[kSizeExpectedDialogParameters], 0);
  EXPECT_TRUE(host.inputPortCountRequests.empty());
  EXPECT_EQ(block->sizes.entry[kSizeSampleTimes], 3);
  EXPECT_EQ(block->sizes.entry[kSizeOptions], 0x11);
  EXPECT_EQ(block->attributes, 0);
}

TEST(DeclareSizes, AttributesKeepTheirOtherBits) {
  RecordingHostBlock host;
  SimStruct* block = host.record();
  block->attributes = 0xF6;
  block->sizes.entry[kSizeFlags] = static_cast<int32_t>(0x80780001u);
  mdlDeclareSizes(block);
  EXPECT_EQ(block->attributes, 0xF1);
  EXPECT_EQ(static_cast<uint32_t>(block->sizes.entry[kSizeFlags]), 0x80080001u);
}

TEST(PortCountSetters, RegisterCountsOnAPrivateRecord) {
  SimStruct* block = buildPrivateRecord(0, nullptr);
  EXPECT_EQ(registerInputPortCount(block, -1), 0);
  EXPECT_EQ(block->sizes.entry[kSizeFlags], 0);
  EXPECT_EQ(registerInputPortCount(block, 0), 1);
  EXPECT_EQ(block->sizes.entry[kSizeFlags], 0x2);
  EXPECT_EQ(block->sizes.entry[kSizeInputPorts], 0);
  EXPECT_EQ(block->inputPorts, nullptr);  // nothing allocated for no ports
  EXPECT_EQ(registerOutputPortCount(block, 4), 1);
  ASSERT_NE(block->outputPorts, nullptr);
  EXPECT_EQ(block->outputPorts[3].width, 0);  // zero-filled
  EXPECT_EQ(block->sizes.entry[kSizeOutputPorts], 4);
}

TEST(SampleTimes, SetUpKeepsTheDimensionMethodsFlag) {
  RecordingHostBlock host;
  host.record()->sizes.entry[kSizeFlags] = 0x1 | 0x1800;
  mdlDeclareSampleTimes(host.record());
  EXPECT_EQ(host.record()->sizes.entry[kSizeFlags], 0x1 | 0x800);
  EXPECT_EQ(host.sampleTimes()[0], -1.0);
  EXPECT_EQ(host.offsetTimes()[0], 0.0);
}

TEST(DimensionInfo, ForwardsToTheHostOrAnswersZero) {
  RecordingHostBlock host;
  mdlDeclareSizes(host.record());
  int32_t dims[1] = {3};
  const DimensionsRecord proposed{3, 1, dims, nullptr};
  host.dimensionInfoResult = 7;
  EXPECT_EQ(mdlSetInputPortDimensionInfo(host.record(), 2, &proposed), 7);
  EXPECT_EQ(mdlSetOutputPortDimensionInfo(host.record(), 1, &proposed), 7);
  ASSERT_EQ(host.inputDimensionCalls.size(), 1u);
  EXPECT_EQ(host.inputDimensionCalls[0].port, 2);
  EXPECT_EQ(host.inputDimensionCalls[0].dimensions, &proposed);
  host.offerDimensionInfoServices(false);
  EXPECT_EQ(mdlSetInputPortDimensionInfo(host.record(), 2, &proposed), 0);
  EXPECT_EQ(mdlSetOutputPortDimensionInfo(host.record(), 1, &proposed), 0);
}

}  // namespace

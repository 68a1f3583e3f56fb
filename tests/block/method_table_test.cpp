// The installing call's work, in process: every slot the block fills holds the block's
// own method for that role, and every other slot keeps what the host put there.
#include <gtest/gtest.h>

#include "block_methods.h"
#include "method_installation.h"
#include "tests/support/recording_host_block.h"
#include "tests/support/host_method_stand_ins.h"

namespace {

using test_doubles::RecordingHostBlock;

using namespace host_stand_ins;

void fillWithHostMethods(RecordingHostBlock& host) {
  host_stand_ins::fillWithHostMethods(host.record()->methods, host.extensionMethods());
}

TEST(InstallBlockMethods, EachRoleGetsItsMethodAndTheHostsSlotsStay) {
  RecordingHostBlock host;
  fillWithHostMethods(host);
  installBlockMethods(host.record());
  const MethodSlots& slots = host.record()->methods;
  EXPECT_EQ(slots.declareSizes, &mdlDeclareSizes);
  EXPECT_EQ(slots.inputPortDimensions.dimensionInfo, &mdlSetInputPortDimensionInfo);
  EXPECT_EQ(slots.outputPortDimensions.dimensionInfo, &mdlSetOutputPortDimensionInfo);
  EXPECT_EQ(slots.setInputPortDataType, &mdlSetInputPortDataType);
  EXPECT_EQ(slots.setOutputPortDataType, &mdlSetOutputPortDataType);
  EXPECT_EQ(slots.declareSampleTimes, &mdlDeclareSampleTimes);
  EXPECT_EQ(slots.start, &mdlStart);
  EXPECT_EQ(slots.timeOfNextVarHit, &mdlRejectNextVarHit);
  EXPECT_EQ(slots.outputs, &mdlComputeOutputs);
  EXPECT_EQ(slots.zeroCrossings, &mdlRejectZeroCrossings);
  EXPECT_EQ(slots.afterZeroCrossings, &mdlDoNothing);
  EXPECT_EQ(host.extensionMethods().setDefaultPortDataTypes, &mdlSetDefaultPortDataTypes);

  EXPECT_EQ(slots.setInputPortComplexSignal, &hostPortValueMethod);
  EXPECT_EQ(slots.setOutputPortComplexSignal, &hostPortValueMethod);
  EXPECT_EQ(slots.setInputPortSampleTime, &hostSampleTimeMethod);
  EXPECT_EQ(slots.setOutputPortSampleTime, &hostSampleTimeMethod);
  EXPECT_EQ(slots.setWorkWidths, &hostBlockMethod);
  EXPECT_EQ(slots.checkParameters, &hostBlockMethod);
  EXPECT_EQ(slots.terminate, &hostBlockMethod);
  const ExtensionMethods& extension = host.extensionMethods();
  EXPECT_EQ(extension.setInputPortFrameData, &hostPortValueMethod);
  EXPECT_EQ(extension.setDefaultPortDimensionInfo, &hostBlockMethod);
  EXPECT_EQ(extension.setDefaultPortComplexSignals, &hostBlockMethod);
  EXPECT_EQ(extension.initializePropagationPass, &hostPassMethod);
}

TEST(InstallBlockMethods, ARecordWithoutAnExtensionRecordGetsTheOtherSlots) {
  RecordingHostBlock host;
  host.record()->extensionMethods = nullptr;
  installBlockMethods(host.record());
  EXPECT_EQ(host.record()->methods.outputs, &mdlComputeOutputs);
  EXPECT_EQ(host.extensionMethods().setDefaultPortDataTypes, nullptr);
}

}  // namespace

#include "module_fixture.h"
#include "tests/support/host_method_stand_ins.h"

namespace substitute_host {
namespace {

using namespace host_stand_ins;

void fillWithHostMethods(RecordingHostBlock& host) {
  host_stand_ins::fillWithHostMethods(host.record()->methods, host.extensionMethods());
}

TEST_F(ModuleTest, InstallingCallFillsTheSlotsAndDeclaresTheBlock) {
  RecordingHostBlock block;
  fillWithHostMethods(block);
  block.record()->sizes.entry[kSizeFlags] = 0x40000000;  // a host bit, kept
  const GatewayOutcome outcome = installBlock(module, block);
  ASSERT_FALSE(outcome.raisedError) << outcome.errorId;
  SimStruct* s = block.record();

  // The slots of the block's roles hold the module's methods; the others keep the host's.
  const MethodSlots& slots = s->methods;
  for (const void* slot :
       {(const void*)slots.declareSizes, (const void*)slots.inputPortDimensions.dimensionInfo,
        (const void*)slots.outputPortDimensions.dimensionInfo, (const void*)slots.setInputPortDataType,
        (const void*)slots.setOutputPortDataType, (const void*)slots.declareSampleTimes,
        (const void*)slots.start, (const void*)slots.timeOfNextVarHit, (const void*)slots.outputs,
        (const void*)slots.zeroCrossings, (const void*)slots.afterZeroCrossings,
        (const void*)block.extensionMethods().setDefaultPortDataTypes}) {
    EXPECT_NE(slot, nullptr);
    EXPECT_NE(slot, (const void*)hostBlockMethod);
    EXPECT_NE(slot, (const void*)hostPortValueMethod);
    EXPECT_NE(slot, (const void*)hostOutputMethod);
  }
  EXPECT_EQ(slots.setWorkWidths, hostBlockMethod);
  EXPECT_EQ(slots.checkParameters, hostBlockMethod);
  EXPECT_EQ(slots.terminate, hostBlockMethod);
  EXPECT_EQ(slots.setInputPortComplexSignal, hostPortValueMethod);
  EXPECT_EQ(slots.setOutputPortComplexSignal, hostPortValueMethod);
  EXPECT_EQ(slots.setInputPortSampleTime, hostSampleTimeMethod);
  EXPECT_EQ(slots.setOutputPortSampleTime, hostSampleTimeMethod);
  EXPECT_EQ(block.extensionMethods().setInputPortFrameData, hostPortValueMethod);
  EXPECT_EQ(block.extensionMethods().setDefaultPortDimensionInfo, hostBlockMethod);
  EXPECT_EQ(block.extensionMethods().setDefaultPortComplexSignals, hostBlockMethod);
  EXPECT_EQ(block.extensionMethods().initializePropagationPass, hostPassMethod);

  EXPECT_EQ(s->sizes.entry[kSizeFlags], 0x40000000 | 0x80000 | 0x1);
  EXPECT_EQ(s->sizes.entry[kSizeVersion], 8480229);
  EXPECT_EQ(static_cast<uint32_t>(s->sizes.entry[kSizeOptions]), 0x20082002u);
  EXPECT_EQ(s->sizes.entry[kSizeInputPorts], 9);
  EXPECT_EQ(s->sizes.entry[kSizeOutputPorts], 2);
  ASSERT_EQ(block.inputPorts().size(), 9u);
  const int widths[9] = {3, 1, 1, 3, 1, 1, 1, 1, 1};
  for (int p = 0; p < 9; ++p) {
    const InputPortRecord& in = block.inputPorts()[p];
    EXPECT_EQ(in.width, widths[p]);
    EXPECT_EQ(in.dataType, 1);
    EXPECT_EQ(in.complexity, 0);
    EXPECT_EQ(in.directFeedThrough, 1);
    EXPECT_EQ(in.contiguousRequired, 1);
  }
  for (const OutputPortRecord& out : block.outputPorts()) {
    EXPECT_EQ(out.width, 3);
    EXPECT_EQ(out.dataType, 1);
  }
  EXPECT_EQ(s->attributes & 0x7, 1);

  // The sizes vector reports what the record now holds; the version is registered.
  std::vector<double> sizes = sizesOf(outcome);
  ASSERT_EQ(sizes.size(), 40u);
  EXPECT_EQ(sizes[23], 537403394.0);
  EXPECT_EQ(sizes[31], static_cast<double>(0x40080001));
  ASSERT_EQ(block.serviceCalls.size(), 1u);
  EXPECT_EQ(block.serviceCalls[0].serviceId, 299);
  EXPECT_EQ(block.serviceCalls[0].argument, 0);
  EXPECT_STREQ(static_cast<const char*>(block.serviceCalls[0].argumentBlock), "10.1");
}

// The entries of the size record that belong to the host come back in the sizes vector
// as the host filled them, the four host words 15 to 18 as unsigned: a host fills
// them with values of its own, often with the top bit set.
TEST_F(ModuleTest, HostEntriesOfTheSizeRecordComeBackAsTheHostFilledThem) {
  RecordingHostBlock block;
  int32_t* entry = block.record()->sizes.entry;
  const int signedHostEntries[] = {4, 5, 11, 12, 13, 14, 21, 24, 25, 26, 27, 28,
                                   29, 30, 32, 33, 34, 35, 36, 37, 38, 39};
  for (int k : signedHostEntries) entry[k] = -1000 * k - 7;
  for (int k = 15; k <= 18; ++k) entry[k] = static_cast<int32_t>(0x80000000u + 0x1111u * k);
  const GatewayOutcome outcome = installBlock(module, block);
  ASSERT_FALSE(outcome.raisedError) << outcome.errorId;
  const std::vector<double> sizes = sizesOf(outcome);
  ASSERT_EQ(sizes.size(), 40u);
  for (int k : signedHostEntries) EXPECT_EQ(sizes[k], -1000.0 * k - 7) << "entry " << k;
  for (int k = 15; k <= 18; ++k)
    EXPECT_EQ(sizes[k], 2147483648.0 + 0x1111 * k) << "entry " << k;
  // What the block declares is there beside them.
  EXPECT_EQ(sizes[2], 2.0);
  EXPECT_EQ(sizes[3], 9.0);
  EXPECT_EQ(sizes[19], 8480229.0);
  EXPECT_EQ(sizes[23], 537403394.0);
}

// Each installed slot, called as the host calls it, does the work of its role.
TEST_F(ModuleTest, EachInstalledSlotDoesTheWorkOfItsRole) {
  RecordingHostBlock root("model root");
  RecordingHostBlock block("Corvalent2", &root);
  ASSERT_FALSE(installBlock(module, block).raisedError);
  SimStruct* s = block.record();
  const MethodSlots& slots = s->methods;
  const auto rootStatus = [&] {
    const char* status = root.record()->errorStatus;
    root.record()->errorStatus = nullptr;
    return std::string(status != nullptr ? status : "");
  };

  slots.timeOfNextVarHit(s);
  EXPECT_EQ(rootStatus(), fixedDiagnostic("Simulink:SFunctions:SimStructNoMdlGetTimeOfNextVarHit"));
  slots.zeroCrossings(s);
  EXPECT_EQ(rootStatus(), fixedDiagnostic("Simulink:SFunctions:SimStructNoMdlZeroCrossings"));
  slots.start(s);
  slots.afterZeroCrossings(s);
  EXPECT_EQ(rootStatus(), "");

  slots.declareSampleTimes(s);
  EXPECT_EQ(block.sampleTimes()[0], -1.0);
  EXPECT_EQ(s->sizes.entry[kSizeFlags] & 0x1800, 0x800);

  slots.setInputPortDataType(s, 4, 6);
  slots.setOutputPortDataType(s, 1, 7);
  EXPECT_EQ(block.inputPorts()[0].dataType, 6);
  EXPECT_EQ(block.outputPorts()[0].dataType, 7);
  block.extensionMethods().setDefaultPortDataTypes(s);
  EXPECT_EQ(block.inputPorts()[0].dataType, 0);
  EXPECT_EQ(block.outputPorts()[0].dataType, 0);

  block.dimensionInfoResult = 5;
  EXPECT_EQ(slots.inputPortDimensions.dimensionInfo(s, 2, nullptr), 5);
  EXPECT_EQ(slots.outputPortDimensions.dimensionInfo(s, 1, nullptr), 5);
  ASSERT_EQ(block.inputDimensionCalls.size(), 1u);
  ASSERT_EQ(block.outputDimensionCalls.size(), 1u);
  EXPECT_EQ(block.inputDimensionCalls[0].port, 2);
  EXPECT_EQ(block.outputDimensionCalls[0].port, 1);

  s->sizes.entry[kSizeSampleTimes] = 0;
  slots.declareSizes(s);
  EXPECT_EQ(s->sizes.entry[kSizeSampleTimes], 1);
  EXPECT_EQ(block.inputPortCountRequests, (std::vector<int32_t>{9, 9}));
}

TEST_F(ModuleTest, HostContextAnnouncesTheInstalledRecordFirst) {
  RecordingHostBlock block;
  int context = 0;
  block.setHostContext(&context);
  ASSERT_FALSE(installBlock(module, block).raisedError);
  ASSERT_EQ(block.serviceCalls.size(), 2u);
  EXPECT_EQ(block.serviceCalls[0].serviceId, 280);
  EXPECT_EQ(block.serviceCalls[0].argument, 1);
  EXPECT_EQ(block.serviceCalls[0].argumentBlock, nullptr);
  EXPECT_EQ(block.serviceCalls[1].serviceId, 299);
}

TEST_F(ModuleTest, RecordNamedOtherwiseIsRefused) {
  for (const char* name : {"Corvalent21", "Corvalent", "corvalent2"}) {
    RecordingHostBlock block(name);
    const GatewayOutcome outcome = installBlock(module, block);
    EXPECT_TRUE(outcome.raisedError);
    EXPECT_EQ(outcome.errorId, "Simulink:SFunctions:SimStructSFunctionNameMismatch");
    EXPECT_EQ(outcome.errorArguments,
              (std::vector<ErrorArgument>{std::string("Corvalent2"), std::string(name)}));
    EXPECT_TRUE(outcome.results.empty());
    EXPECT_EQ(block.record()->methods.outputs, nullptr);
  }
}

TEST_F(ModuleTest, RefusedInputCountStopsTheDeclaration) {
  RecordingHostBlock block;
  block.setPortCountAnswers(false, true);
  ASSERT_FALSE(installBlock(module, block).raisedError);
  EXPECT_EQ(block.inputPortCountRequests, std::vector<int32_t>{9});
  EXPECT_TRUE(block.outputPortCountRequests.empty());
  EXPECT_EQ(block.record()->sizes.entry[kSizeOptions], 0x2000);  // only the entry point's bit
  EXPECT_TRUE(block.serviceCalls.empty());
}

TEST_F(ModuleTest, RefusedOutputCountLeavesTheInputsDeclared) {
  RecordingHostBlock block;
  block.record()->sizes.entry[kSizeSampleTimes] = 7;
  block.setPortCountAnswers(true, false);
  ASSERT_FALSE(installBlock(module, block).raisedError);
  EXPECT_EQ(block.inputPorts()[3].width, 3);
  EXPECT_EQ(block.inputPorts()[8].contiguousRequired, 1);
  EXPECT_EQ(block.record()->sizes.entry[kSizeSampleTimes], 7);
  EXPECT_TRUE(block.serviceCalls.empty());
  EXPECT_EQ(block.record()->sizes.entry[kSizeOptions], 0x2000);
}

TEST_F(ModuleTest, WithoutAServiceEntryTheOptionsAreStillDeclared) {
  RecordingHostBlock block;
  block.offerServiceEntry(false);
  ASSERT_FALSE(installBlock(module, block).raisedError);
  EXPECT_EQ(static_cast<uint32_t>(block.record()->sizes.entry[kSizeOptions]), 0x20082002u);
}

}  // namespace
}  // namespace substitute_host

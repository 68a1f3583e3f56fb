#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

#include "module_fixture.h"

namespace substitute_host {
namespace {

// Host-side methods that note each call, to put into slots the block leaves empty.
struct Calls {
  static inline std::vector<std::string> log;
};
void noteBlock(SimStruct*) { Calls::log.push_back("block"); }
void notePortValue(SimStruct*, int32_t port, int32_t value) {
  Calls::log.push_back("port " + std::to_string(port) + " value " + std::to_string(value));
}
void noteSampleTime(SimStruct*, int32_t port, double period, double offset) {
  Calls::log.push_back("port " + std::to_string(port) + " time " + std::to_string(period) +
                       " " + std::to_string(offset));
}
void notePass(SimStruct*, int32_t argument) { Calls::log.push_back("pass " + std::to_string(argument)); }

class FlagTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    ASSERT_FALSE(installBlock(module, block).raisedError);
    Calls::log.clear();
  }
  std::string statusAfter(double flag) {
    block.record()->errorStatus = nullptr;
    const GatewayOutcome outcome = sendHostFlag(module, block, flag);
    EXPECT_FALSE(outcome.raisedError);
    const char* status = block.record()->errorStatus;
    return status != nullptr ? status : "";
  }
  RecordingHostBlock block;
};

TEST_F(FlagTest, UnassignedAndOutOfRangeFlagsReportTheInvalidFlag) {
  const std::string invalid = fixedDiagnostic("Simulink:SFunctions:SimStructInvalidFlagInSimulinkC");
  for (double flag : {102.0, 105.0, 106.0, 109.0, 110.0, 118.0, 119.0, 124.0, 125.0, 129.0,
                      130.0, 134.0, 137.0, 141.0, 143.0, 146.0, 147.0, 148.0, 0.0, 100.0,
                      151.0, -101.0, 100.5, -0.4, std::nan(""), 1e10, -1e300})
    EXPECT_EQ(statusAfter(flag), invalid) << "flag " << flag;
}

TEST_F(FlagTest, FractionsTruncateTowardZero) {
  EXPECT_EQ(statusAfter(111.9), unexpectedCall("mdlSetWorkWidths"));
  EXPECT_EQ(statusAfter(117.99), "");
}

TEST_F(FlagTest, FixedRefusalsOfTheBlock) {
  EXPECT_EQ(statusAfter(103), fixedDiagnostic("Simulink:SFunctions:SimStructNoMdlGetTimeOfNextVarHit"));
  EXPECT_EQ(statusAfter(108), fixedDiagnostic("Simulink:SFunctions:SimStructNoMdlZeroCrossings"));
  EXPECT_EQ(statusAfter(144), fixedDiagnostic("Simulink:SFunctions:SimStructUnexpectedGetSimState"));
  EXPECT_EQ(statusAfter(145), fixedDiagnostic("Simulink:SFunctions:SimStructUnexpectedSetSimState"));
  EXPECT_EQ(statusAfter(107), "");
  // The fixed texts are stored whole, not copied into the error buffer.
  statusAfter(108);
  EXPECT_NE(block.record()->errorStatus, block.errorBuffer());
}

TEST_F(FlagTest, ErrorsGoToTheRootRecordWithTheErrorKindBitCleared) {
  RecordingHostBlock root("model root");
  RecordingHostBlock child("Corvalent2", &root);
  ASSERT_FALSE(installBlock(module, child).raisedError);
  root.modelInfo().flags = 0xFF;
  sendHostFlag(module, child, 111);
  EXPECT_EQ(child.record()->errorStatus, nullptr);
  ASSERT_NE(root.record()->errorStatus, nullptr);
  EXPECT_EQ(root.record()->errorStatus, std::string(unexpectedCall("mdlSetWorkWidths")));
  EXPECT_EQ(root.record()->errorStatus, root.errorBuffer());
  EXPECT_EQ(root.modelInfo().flags, 0xFF & ~0x10);
}

TEST_F(FlagTest, SlotsTheBlockLeavesEmptyAreReportedByName) {
  const std::map<double, std::string> absent = {
      {111, "mdlSetWorkWidths"},           {112, "mdlCheckParameters"},
      {120, "mdlSetInputPortComplexSignal"}, {121, "mdlSetOutputPortComplexSignal"},
      {122, "mdlSetInputPortSampleTime"},  {123, "mdlSetOutputPortSampleTime"},
      {128, "mdlSetInputPortFrameData"},   {131, "mdlSetDefaultPortDimensionInfo"},
      {133, "mdlSetDefaultPortComplexSignals"}, {142, "mdlInitializePropagationPass"},
      {149, "mdlSetInputPortSymbolicDimensions"}, {150, "mdlSetOutputPortSymbolicDimensions"},
      // The dimension-methods flag is set, so the width forms count as absent.
      {115, "mdlSetInputPortWidth"},       {116, "mdlSetOutputPortWidth"}};
  for (const auto& [flag, method] : absent)
    EXPECT_EQ(statusAfter(flag), unexpectedCall(method)) << "flag " << flag;
}

TEST_F(FlagTest, HostMethodsInTheSlotsAreCalledWithTheirArguments) {
  SimStruct* s = block.record();
  s->methods.setWorkWidths = noteBlock;
  s->methods.checkParameters = noteBlock;
  s->methods.setInputPortComplexSignal = notePortValue;
  s->methods.setOutputPortComplexSignal = notePortValue;
  s->methods.setInputPortSampleTime = noteSampleTime;
  s->methods.setOutputPortSampleTime = noteSampleTime;
  block.extensionMethods().setInputPortFrameData = notePortValue;
  block.extensionMethods().setDefaultPortDimensionInfo = noteBlock;
  block.extensionMethods().setDefaultPortComplexSignals = noteBlock;
  block.extensionMethods().initializePropagationPass = notePass;
  const SymbolicDimensionsMethods symbolic{notePortValue, notePortValue};
  block.extensionMethods().symbolicDimensions = &symbolic;
  s->sizes.entry[kSizeCallArgument] = 4;
  block.modelInfo().proposedPortValue = 7;
  block.modelInfo().proposedSampleTime[0] = 0.5;
  block.modelInfo().proposedSampleTime[1] = 0.25;
  for (double flag : {111, 112, 120, 121, 122, 123, 128, 131, 133, 142, 149, 150})
    EXPECT_EQ(statusAfter(flag), "") << "flag " << flag;
  EXPECT_EQ(Calls::log, (std::vector<std::string>{
                            "block", "block", "port 4 value 7", "port 4 value 7",
                            "port 4 time 0.500000 0.250000", "port 4 time 0.500000 0.250000",
                            "port 4 value 7", "block", "block", "pass 4", "port 4 value 7",
                            "port 4 value 7"}));
}

TEST_F(FlagTest, SymbolicDimensionsAreGatedByThePortDimensionSlot) {
  const SymbolicDimensionsMethods symbolic{notePortValue, nullptr};
  block.extensionMethods().symbolicDimensions = &symbolic;
  block.record()->methods.inputPortDimensions.dimensionInfo = nullptr;
  EXPECT_EQ(statusAfter(149), unexpectedCall("mdlSetInputPortSymbolicDimensions"));
  // The slot is filled but the table's entry is empty: it is never called.
  EXPECT_EQ(statusAfter(150), unexpectedCall("mdlSetOutputPortSymbolicDimensions"));
  EXPECT_TRUE(Calls::log.empty());
}

TEST_F(FlagTest, WidthFormsRunOnlyWhileTheDimensionMethodsFlagIsClear) {
  SimStruct* s = block.record();
  s->sizes.entry[kSizeFlags] &= ~kFlagDimensionMethods;
  s->methods.inputPortDimensions.width = notePortValue;
  s->methods.outputPortDimensions.width = notePortValue;
  s->sizes.entry[kSizeCallArgument] = 2;
  block.modelInfo().proposedPortValue = 3;
  EXPECT_EQ(statusAfter(115), "");
  EXPECT_EQ(statusAfter(116), "");
  EXPECT_EQ(statusAfter(126), unexpectedCall("mdlSetInputPortDimensionInfo"));
  EXPECT_EQ(statusAfter(127), unexpectedCall("mdlSetOutputPortDimensionInfo"));
  EXPECT_EQ(Calls::log, (std::vector<std::string>{"port 2 value 3", "port 2 value 3"}));
}

TEST_F(FlagTest, DimensionInfoFlagsForwardTheProposedRecordToTheHost) {
  int32_t dims[2] = {3, 1};
  const DimensionsRecord proposed{3, 2, dims, nullptr};
  block.modelInfo().proposedDimensions = &proposed;
  block.record()->sizes.entry[kSizeCallArgument] = 5;
  EXPECT_EQ(statusAfter(126), "");
  EXPECT_EQ(statusAfter(127), "");
  ASSERT_EQ(block.inputDimensionCalls.size(), 1u);
  ASSERT_EQ(block.outputDimensionCalls.size(), 1u);
  EXPECT_EQ(block.inputDimensionCalls[0].port, 5);
  EXPECT_EQ(block.inputDimensionCalls[0].dimensions, &proposed);
  EXPECT_EQ(block.outputDimensionCalls[0].dimensions, &proposed);
}

TEST_F(FlagTest, DataTypeFlagsActOnPortZero) {
  block.record()->sizes.entry[kSizeCallArgument] = 5;
  block.modelInfo().proposedPortValue = 0;
  EXPECT_EQ(statusAfter(113), "");
  EXPECT_EQ(block.inputPorts()[0].dataType, 0);
  EXPECT_EQ(block.inputPorts()[5].dataType, 1);
  block.modelInfo().proposedPortValue = 6;
  EXPECT_EQ(statusAfter(114), "");
  EXPECT_EQ(block.outputPorts()[0].dataType, 6);
  EXPECT_EQ(block.outputPorts()[1].dataType, 1);
  block.inputPorts()[1].dataType = 1;
  EXPECT_EQ(statusAfter(132), "");  // default data types: port 0 of each side only
  EXPECT_EQ(block.inputPorts()[0].dataType, 0);
  EXPECT_EQ(block.outputPorts()[0].dataType, 0);
  EXPECT_EQ(block.inputPorts()[1].dataType, 1);
}

TEST_F(FlagTest, SampleTimeSetUpKeepsEverythingElse) {
  block.allocateSampleTimes(3);
  block.record()->sizes.entry[kSizeFlags] |= 0x1000 | 0x4;
  EXPECT_EQ(statusAfter(101), "");
  EXPECT_EQ(block.sampleTimes()[0], -1.0);
  EXPECT_EQ(std::signbit(block.offsetTimes()[0]), false);
  EXPECT_EQ(block.offsetTimes()[0], 0.0);
  EXPECT_TRUE(std::isnan(block.sampleTimes()[1]) && std::isnan(block.offsetTimes()[2]));
  EXPECT_EQ(block.record()->sizes.entry[kSizeFlags], 0x80000 | 0x800 | 0x4 | 0x1);
}

// Flags 101, 103, 104 and 108 call the block's own methods, not what the slots hold.
TEST_F(FlagTest, OwnMethodsRunWhateverTheSlotsHold) {
  SimStruct* s = block.record();
  s->methods.declareSampleTimes = noteBlock;
  s->methods.timeOfNextVarHit = noteBlock;
  s->methods.zeroCrossings = noteBlock;
  s->methods.outputs = [](SimStruct*, int32_t) { Calls::log.push_back("outputs"); };
  EXPECT_EQ(statusAfter(101), "");
  EXPECT_EQ(block.sampleTimes()[0], -1.0);
  EXPECT_EQ(statusAfter(103),
            fixedDiagnostic("Simulink:SFunctions:SimStructNoMdlGetTimeOfNextVarHit"));
  EXPECT_EQ(statusAfter(108), fixedDiagnostic("Simulink:SFunctions:SimStructNoMdlZeroCrossings"));
  std::fill_n(block.outputSignal(0), 3, std::nanf(""));
  block.inputSignal(6)[0] = 400;  // a DC link, so that the outputs are numbers
  EXPECT_EQ(statusAfter(104), "");
  EXPECT_FALSE(std::isnan(block.outputSignal(0)[0]));
  EXPECT_TRUE(Calls::log.empty());
}

TEST_F(FlagTest, StartRunsOnlyWithItsSlotFilled) {
  EXPECT_EQ(statusAfter(117), "");
  block.record()->methods.start = nullptr;
  EXPECT_EQ(statusAfter(117), unexpectedCall("mdlStart"));
}

TEST_F(FlagTest, NonDoubleFlagTakesTheDefault) {
  OwnedArray empty = makeDoubleMatrix(0, 0), flag = makeNumericMatrix(mxINT8_CLASS, 1, 1);
  mxArray* plhs[2] = {nullptr, reinterpret_cast<mxArray*>(block.record())};
  const mxArray* prhs[4] = {empty.get(), empty.get(), empty.get(), flag.get()};
  callGateway(module.gateway, -1, plhs, 4, prhs);
  EXPECT_STREQ(block.record()->errorStatus,
               fixedDiagnostic("Simulink:SFunctions:SimStructInvalidFlagInSimulinkC").c_str());
}

}  // namespace
}  // namespace substitute_host

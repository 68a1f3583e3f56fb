// The block methods other than the size declaration, on records built here. The block
// under test is a child of a model root, which receives every error.
#include <gtest/gtest.h>

#include <string>

#include "block_methods.h"
#include "tests/support/recording_host_block.h"
#include "tests/support/diagnostic_texts.h"

namespace {

using test_doubles::RecordingHostBlock;

class BlockMethods : public ::testing::Test {
 protected:
  BlockMethods() {
    mdlDeclareSizes(block.record());
    root.modelInfo().flags = 0xFF;
  }
  std::string rootStatus() {
    const char* status = root.record()->errorStatus;
    return status != nullptr ? status : "";
  }
  RecordingHostBlock root{"model root"};
  RecordingHostBlock block{"Corvalent2", &root};
};

TEST_F(BlockMethods, RefusalsReportTheirFixedTextOnTheRoot) {
  mdlRejectNextVarHit(block.record());
  EXPECT_EQ(rootStatus(),
            fixedDiagnostic("Simulink:SFunctions:SimStructNoMdlGetTimeOfNextVarHit"));
  EXPECT_EQ(root.modelInfo().flags, 0xFF & ~0x10);
  root.modelInfo().flags = 0xFF;
  mdlRejectZeroCrossings(block.record());
  EXPECT_EQ(rootStatus(), fixedDiagnostic("Simulink:SFunctions:SimStructNoMdlZeroCrossings"));
  EXPECT_EQ(root.modelInfo().flags, 0xFF & ~0x10);
  EXPECT_EQ(block.record()->errorStatus, nullptr);
  // A fixed text is pointed at, not copied into the error buffer.
  EXPECT_NE(root.record()->errorStatus, root.errorBuffer());
  EXPECT_EQ(root.errorBuffer()[0], '\0');
}

TEST_F(BlockMethods, DataTypeMethodsActOnPortZeroWhateverPortIsNamed) {
  mdlSetInputPortDataType(block.record(), 5, 0);
  EXPECT_EQ(block.inputPorts()[0].dataType, 0);
  EXPECT_EQ(block.inputPorts()[5].dataType, 1);
  mdlSetOutputPortDataType(block.record(), 1, 7);
  EXPECT_EQ(block.outputPorts()[0].dataType, 7);
  EXPECT_EQ(block.outputPorts()[1].dataType, 1);
  EXPECT_EQ(block.inputPorts()[0].dataType, 0);
}

TEST_F(BlockMethods, DefaultDataTypesMakePortZeroOfEachSideDouble) {
  mdlSetDefaultPortDataTypes(block.record());
  EXPECT_EQ(block.inputPorts()[0].dataType, 0);
  EXPECT_EQ(block.outputPorts()[0].dataType, 0);
  for (int port = 1; port < 9; ++port) EXPECT_EQ(block.inputPorts()[port].dataType, 1) << port;
  EXPECT_EQ(block.outputPorts()[1].dataType, 1);
  EXPECT_EQ(rootStatus(), "");
}

TEST_F(BlockMethods, TheDeclaredPortsAreTheBlocksPortTable) {
  const int32_t inputWidths[9] = {3, 1, 1, 3, 1, 1, 1, 1, 1};
  ASSERT_EQ(block.inputPorts().size(), 9u);
  ASSERT_EQ(block.outputPorts().size(), 2u);
  for (int port = 0; port < 9; ++port) {
    const InputPortRecord& in = block.inputPorts()[port];
    EXPECT_EQ(in.width, inputWidths[port]) << port;
    EXPECT_EQ(in.dataType, 1) << port;
    EXPECT_EQ(in.complexity, 0) << port;
    EXPECT_EQ(in.directFeedThrough, 1) << port;
    EXPECT_EQ(in.contiguousRequired, 1) << port;
  }
  for (const OutputPortRecord& out : block.outputPorts()) {
    EXPECT_EQ(out.width, 3);
    EXPECT_EQ(out.dataType, 1);
    EXPECT_EQ(out.complexity, 0);
  }
}

}  // namespace

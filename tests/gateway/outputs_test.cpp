#include <random>

#include "control/drive_step.h"
#include "module_fixture.h"
#include "tests/support/drive_inputs.h"
#include "tests/support/exact_values.h"

namespace substitute_host {
namespace {

using StepInputs = DriveInputs;
const StepInputs kWorkedExample = kWorkedExampleInputs;

void writeInputs(RecordingHostBlock& block, const StepInputs& in) {
  const float* fields[9] = {in.iabc1, &in.theta1, &in.omega1, in.iabc2, &in.theta2,
                            &in.omega2, &in.udc, &in.iqCommand, &in.steerAngle};
  for (int p = 0; p < 9; ++p)
    for (int k = 0; k < block.inputPorts()[p].width; ++k) block.inputSignal(p)[k] = fields[p][k];
}

std::array<float, 6> readOutputs(RecordingHostBlock& block) {
  return {block.outputSignal(0)[0], block.outputSignal(0)[1], block.outputSignal(0)[2],
          block.outputSignal(1)[0], block.outputSignal(1)[1], block.outputSignal(1)[2]};
}

// The controller linked into this test program: its own state, independent of the
// module's, as a reference for what the module must compute.
std::array<float, 6> directStep(const StepInputs& in) {
  std::array<float, 6> out;
  driveOutputs(in.iabc1, &in.theta1, &in.omega1, in.iabc2, &in.theta2, &in.omega2, &in.udc,
               &in.iqCommand, &in.steerAngle, out.data(), out.data() + 3);
  return out;
}

bool same(const std::array<float, 6>& a, const std::array<float, 6>& b) {
  for (int k = 0; k < 6; ++k)
    if (!sameBits(a[k], b[k])) return false;
  return true;
}

class OutputTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    ASSERT_FALSE(installBlock(module, block).raisedError);
  }
  RecordingHostBlock block;
};

TEST_F(OutputTest, WorkedExampleThroughTheOutputSlot) {
  writeInputs(block, kWorkedExample);
  block.record()->methods.outputs(block.record(), 0);
  std::array<float, 6> out = readOutputs(block);
  EXPECT_TRUE(isSingle(out[0], "0.159838676") && isSingle(out[1], "-0.168883681") &&
              isSingle(out[2], "0.0090450095") && isSingle(out[3], "-0.167575181") &&
              isSingle(out[4], "-0.0112298969") && isSingle(out[5], "0.178805083"));
  block.record()->methods.outputs(block.record(), -2);
  out = readOutputs(block);
  EXPECT_TRUE(isSingle(out[0], "-0.896777093") && isSingle(out[1], "0.855119169") &&
              isSingle(out[2], "0.0416579433") && isSingle(out[3], "0.516020298") &&
              isSingle(out[4], "0.439304084") && isSingle(out[5], "-0.955324411"));
}

TEST_F(OutputTest, Flag104MatchesTheSlotAndTheControllerForEveryTaskSelector) {
  std::mt19937 rng(104);
  for (int i = 0; i < 300; ++i) {
    const StepInputs in = randomDriveInputs(rng);
    writeInputs(block, in);
    block.record()->sizes.entry[kSizeCallArgument] = i % 3 == 0 ? -2 : (i % 3 == 1 ? -1 : 0);
    if (i % 2 == 0) {
      ASSERT_FALSE(sendHostFlag(module, block, 104).raisedError);
      EXPECT_EQ(block.record()->errorStatus, nullptr);
    } else {
      block.record()->methods.outputs(block.record(), 0);
    }
    ASSERT_TRUE(same(readOutputs(block), directStep(in))) << "step " << i;
  }
}

// Two blocks in one process share the controller's state: stepping alternately they
// act as one block fed the interleaved inputs, each output going to its own block.
TEST_F(OutputTest, AlternatingInstancesShareOneState) {
  RecordingHostBlock other;
  ASSERT_FALSE(installBlock(module, other).raisedError);
  std::mt19937 rng(11);
  for (int i = 0; i < 500; ++i) {
    const StepInputs a = randomDriveInputs(rng), b = randomDriveInputs(rng);
    writeInputs(block, a);
    writeInputs(other, b);
    block.record()->methods.outputs(block.record(), 0);
    ASSERT_TRUE(same(readOutputs(block), directStep(a))) << "step " << i;
    sendHostFlag(module, other, 104);
    ASSERT_TRUE(same(readOutputs(other), directStep(b))) << "step " << i;
  }
}

// Starting a second run installs and starts the block again; the controller carries
// on from where the first run left it.
TEST_F(OutputTest, ASecondRunContinuesFromTheFirstRunsState) {
  writeInputs(block, kWorkedExample);
  block.record()->methods.outputs(block.record(), 0);
  RecordingHostBlock secondRun;
  ASSERT_FALSE(installBlock(module, secondRun).raisedError);
  sendHostFlag(module, secondRun, 101);
  sendHostFlag(module, secondRun, 117);
  writeInputs(secondRun, kWorkedExample);
  secondRun.record()->methods.outputs(secondRun.record(), 0);
  EXPECT_TRUE(isSingle(readOutputs(secondRun)[0], "-0.896777093"));
  EXPECT_TRUE(isSingle(readOutputs(secondRun)[5], "-0.955324411"));
}

}  // namespace
}  // namespace substitute_host

// The drive step advances one process-wide controller state, so every test here must
// start in a fresh process: CTest runs each test case of this program on its own.
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "control/controller_state.h"
#include "control/drive_step.h"
#include "control/electronic_differential.h"
#include "tests/control/channel_steps.h"
#include "tests/support/drive_inputs.h"
#include "tests/support/exact_values.h"

namespace {

struct DriveOutputs {
  float v1[3], v2[3];
};

DriveOutputs step(const DriveInputs& in) {
  DriveOutputs out;
  driveOutputs(in.iabc1, &in.theta1, &in.omega1, in.iabc2, &in.theta2, &in.omega2, &in.udc,
               &in.iqCommand, &in.steerAngle, out.v1, out.v2);
  return out;
}

const DriveInputs kWorkedExample = kWorkedExampleInputs;

TEST(DriveStep, WorkedExampleTwoCallsFromLoad) {
  const ControllerStateSnapshot atLoad = controllerStateSnapshot();
  EXPECT_TRUE(isSingle(atLoad.diffMean, "0"));
  EXPECT_TRUE(isSingle(atLoad.channel1.modIndex[1], "0"));
  EXPECT_TRUE(isSingle(atLoad.channel2.iqIntegrator, "0"));

  DriveOutputs out = step(kWorkedExample);
  EXPECT_TRUE(isSingle(out.v1[0], "0.159838676"));
  EXPECT_TRUE(isSingle(out.v1[1], "-0.168883681"));
  EXPECT_TRUE(isSingle(out.v1[2], "0.0090450095"));
  EXPECT_TRUE(isSingle(out.v2[0], "-0.167575181"));
  EXPECT_TRUE(isSingle(out.v2[1], "-0.0112298969"));
  EXPECT_TRUE(isSingle(out.v2[2], "0.178805083"));
  ControllerStateSnapshot s = controllerStateSnapshot();
  EXPECT_TRUE(isSingle(s.diffMean, "300"));
  EXPECT_TRUE(isSingle(s.channel1.speedIntegrator, "0"));
  EXPECT_TRUE(isSingle(s.channel2.speedIntegrator, "0"));

  out = step(kWorkedExample);
  EXPECT_TRUE(isSingle(out.v1[0], "-0.896777093"));
  EXPECT_TRUE(isSingle(out.v1[1], "0.855119169"));
  EXPECT_TRUE(isSingle(out.v1[2], "0.0416579433"));
  EXPECT_TRUE(isSingle(out.v2[0], "0.516020298"));
  EXPECT_TRUE(isSingle(out.v2[1], "0.439304084"));
  EXPECT_TRUE(isSingle(out.v2[2], "-0.955324411"));
  s = controllerStateSnapshot();
  EXPECT_TRUE(isSingle(s.diffMean, "300"));
  EXPECT_TRUE(isSingle(s.channel1.speedIntegrator, "0.0116149895"));
  EXPECT_TRUE(isSingle(s.channel2.speedIntegrator, "-0.0116149895"));
}

TEST(DriveStep, NaNSpeedPoisonsTheDifferentialForGood) {
  DriveInputs in = kWorkedExample;
  in.omega1 = std::numeric_limits<float>::quiet_NaN();
  DriveOutputs out = step(in);
  EXPECT_TRUE(std::isnan(out.v2[0]));  // motor 2 sees it through its speed reference
  EXPECT_TRUE(std::isnan(controllerStateSnapshot().diffMean));
  for (int i = 0; i < 5; ++i) {
    in = kWorkedExample;
    in.steerAngle = i == 0 ? 0.0f : 0.1f;  // zero steering does not clear it either
    out = step(in);
    EXPECT_TRUE(std::isnan(controllerStateSnapshot().diffMean));
    EXPECT_TRUE(std::isnan(out.v1[0]) && std::isnan(out.v2[0]));
  }
}

// One motor's view of the block's ports, fed to a channel of our own.
struct OneInstance {
  ChannelState motor1{}, motor2{};
  float diffMean = 0;
  DriveOutputs step(const DriveInputs& in) {
    DriveOutputs out;
    float ref[2];
    electronicDifferential(in.omega1, in.omega2, in.steerAngle, ref, diffMean);
    focChannelStep(in.iqCommand, ref[0], in.iabc1[0], in.iabc1[1], in.iabc1[2], in.theta1,
                   in.omega1, in.udc, out.v1, motor1);
    focChannelStep(in.iqCommand, ref[1], in.iabc2[0], in.iabc2[1], in.iabc2[2], in.theta2,
                   in.omega2, in.udc, out.v2, motor2);
    return out;
  }
};

bool sameOutputs(const DriveOutputs& a, const DriveOutputs& b) {
  for (int k = 0; k < 3; ++k)
    if (!sameBits(a.v1[k], b.v1[k]) || !sameBits(a.v2[k], b.v2[k])) return false;
  return true;
}

// Two instances of the block stepping alternately share one state: together they act
// as a single instance fed the interleaved inputs, each output going to its producer.
TEST(DriveStep, AlternatingInstancesShareOneState) {
  std::mt19937 rng(7);
  OneInstance interleaved;
  for (int i = 0; i < 2000; ++i) {
    const DriveInputs a = randomDriveInputs(rng), b = randomDriveInputs(rng);
    const DriveOutputs fromA = step(a);
    const DriveOutputs fromB = step(b);
    ASSERT_TRUE(sameOutputs(fromA, interleaved.step(a))) << "step " << i << " of instance A";
    ASSERT_TRUE(sameOutputs(fromB, interleaved.step(b))) << "step " << i << " of instance B";
  }
  const ControllerStateSnapshot s = controllerStateSnapshot();
  EXPECT_TRUE(sameBits(s.diffMean, interleaved.diffMean));
  EXPECT_TRUE(sameBits(s.channel2.modIndex[1], interleaved.motor2.modIndex[1]));
}

bool sameChannelState(const ChannelState& a, const ChannelState& b) {
  return sameBits(a.iqIntegrator, b.iqIntegrator) && sameBits(a.idIntegrator, b.idIntegrator) &&
         sameBits(a.fwIntegrator, b.fwIntegrator) &&
         sameBits(a.speedIntegrator, b.speedIntegrator) &&
         sameBits(a.modIndex[0], b.modIndex[0]) && sameBits(a.modIndex[1], b.modIndex[1]);
}

// Any finite single, by a random bit pattern: angles and steering far beyond a turn.
float anyFiniteSingle(std::mt19937& rng) {
  std::uniform_int_distribution<std::uint32_t> pattern(0, 0xFF7FFFFFu);
  std::uint32_t bits = pattern(rng);
  if ((bits & 0x7F800000u) == 0x7F800000u) bits &= 0xFF7FFFFFu;
  return std::bit_cast<float>(bits);
}

// The drive step evaluates the tangent first and both rotations in one pass; it must
// still be the differential followed by the two channels, each with its own rotation:
// the same outputs and the same whole state after every step.
TEST(DriveStep, MatchesTheDifferentialAndChannelsCalledInTurn) {
  std::mt19937 rng(11);
  OneInstance inTurn;
  for (int i = 0; i < 100000; ++i) {
    DriveInputs in = randomDriveInputs(rng);
    if (i % 7 == 3) {
      in.theta1 = anyFiniteSingle(rng);
      in.theta2 = anyFiniteSingle(rng);
    }
    if (i % 11 == 5) in.steerAngle = anyFiniteSingle(rng) * 1e-30f;  // mostly small, some huge
    ASSERT_TRUE(sameOutputs(step(in), inTurn.step(in))) << "step " << i;
    const ControllerStateSnapshot s = controllerStateSnapshot();
    ASSERT_TRUE(sameBits(s.diffMean, inTurn.diffMean)) << "step " << i;
    ASSERT_TRUE(sameChannelState(s.channel1, inTurn.motor1)) << "step " << i;
    ASSERT_TRUE(sameChannelState(s.channel2, inTurn.motor2)) << "step " << i;
  }
}

TEST(DriveStep, SteeringActsOnlyOnceTheDifferentialHasAMemory) {
  DriveInputs in = kWorkedExample;
  in.steerAngle = 0.3f;
  const DriveOutputs steered = step(in);
  // First call after load: the result is that of the unsteered worked example.
  EXPECT_TRUE(isSingle(steered.v1[0], "0.159838676"));
  EXPECT_TRUE(isSingle(steered.v2[2], "0.178805083"));
}
}  // namespace

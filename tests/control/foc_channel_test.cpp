#include "tests/control/channel_steps.h"
#include "tests/support/exact_values.h"

namespace {

// The worked example's inputs: iqCommand 0, speedRef 100, currents (-7.57, 8, -0.43),
// theta 0.5, omega 99.99, udc 400.
struct WorkedExample {
  float iqCommand = 0, speedRef = 100, ia = -7.57f, ib = 8, ic = -0.43f, theta = 0.5f,
        omega = 99.99f, udc = 400;
  ChannelState state{};
  ChannelSignals s{};
  float out[3]{};
  void step() {
    focChannelStepTraced(iqCommand, speedRef, ia, ib, ic, theta, omega, udc, out, state, s);
  }
};

// Every signal of the worked example, to the nine significant digits that name each
// single (the six-digit values of the description, carried to the bit by an
// independent transcription of the arithmetic, tests/reference/drive_reference.py).
TEST(FocChannel, WorkedExampleFromZeroState) {
  WorkedExample x;
  x.step();
  EXPECT_TRUE(isSingle(x.s.iAlphaBeta[0], "-7.57037878"));
  EXPECT_TRUE(isSingle(x.s.iAlphaBeta[1], "4.86748219"));
  EXPECT_TRUE(isSingle(x.s.idq[0], "0.00555181503"));
  EXPECT_TRUE(isSingle(x.s.idq[1], "9.00016594"));
  EXPECT_TRUE(isSingle(x.s.dqRef[0], "0"));
  EXPECT_TRUE(isSingle(x.s.iqLimit, "300"));
  EXPECT_TRUE(isSingle(x.s.speedPi, "10.0021362"));
  EXPECT_TRUE(isSingle(x.s.dqRef[1], "10.0021362"));
  EXPECT_TRUE(isSingle(x.s.vdPi, "-0.0166554451"));
  EXPECT_TRUE(isSingle(x.s.vqPi, "6.01182175"));
  EXPECT_TRUE(isSingle(x.s.vdqFf[0], "-0.768023252"));
  EXPECT_TRUE(isSingle(x.s.vdqFf[1], "16.1184254"));
  EXPECT_TRUE(isSingle(x.s.vdq[0], "-0.784678698"));
  EXPECT_TRUE(isSingle(x.s.vdq[1], "22.1302471"));
  EXPECT_TRUE(isSingle(x.s.vAlphaBeta[0], "-19.0459232"));
  EXPECT_TRUE(isSingle(x.s.vAlphaBeta[1], "11.2967386"));
  EXPECT_TRUE(isSingle(x.s.vabc[0], "-19.0459232"));
  EXPECT_TRUE(isSingle(x.s.vabc[1], "19.3059368"));
  EXPECT_TRUE(isSingle(x.s.vabc[2], "-0.26001358"));
  EXPECT_TRUE(isSingle(x.out[0], "-0.0952296183"));
  EXPECT_TRUE(isSingle(x.out[1], "0.096529685"));
  EXPECT_TRUE(isSingle(x.out[2], "-0.00130006787"));
  EXPECT_TRUE(isSingle(x.state.modIndex[0], "0.109801784"));
  EXPECT_TRUE(isSingle(x.state.modIndex[1], "0.00219603558"));
  EXPECT_TRUE(isSingle(x.state.fwIntegrator, "0"));
  EXPECT_TRUE(isSingle(x.state.speedIntegrator, "0.000500106777"));
  EXPECT_TRUE(isSingle(x.state.idIntegrator, "-0.00832772162"));
  EXPECT_TRUE(isSingle(x.state.iqIntegrator, "0.0150295543"));
}

TEST(FocChannel, WorkedExampleSecondStepContinuesFromTheFirst) {
  WorkedExample x;
  x.step();
  x.step();
  EXPECT_TRUE(isSingle(x.s.speedPi, "10.002636"));
  EXPECT_TRUE(isSingle(x.s.vdPi, "-0.0249831676"));
  EXPECT_TRUE(isSingle(x.s.vqPi, "6.02984953"));
  EXPECT_TRUE(isSingle(x.out[0], "-0.0953280926"));
  EXPECT_TRUE(isSingle(x.out[1], "0.0965906307"));
  EXPECT_TRUE(isSingle(x.out[2], "-0.00126254081"));
  EXPECT_TRUE(isSingle(x.state.modIndex[0], "0.109892622"));
  EXPECT_TRUE(isSingle(x.state.modIndex[1], "0.00434996746"));
  EXPECT_TRUE(isSingle(x.state.speedIntegrator, "0.00100021355"));
  EXPECT_TRUE(isSingle(x.state.idIntegrator, "-0.0166554432"));
  EXPECT_TRUE(isSingle(x.state.iqIntegrator, "0.0300666038"));
  EXPECT_TRUE(isSingle(x.state.fwIntegrator, "0"));
}

TEST(FocChannel, FieldWeakeningInsideItsLimits) {
  WorkedExample x;
  x.state.modIndex[1] = 1;
  x.step();
  EXPECT_TRUE(isSingle(x.s.dqRef[0], "-2.50000048"));
  EXPECT_TRUE(isSingle(x.state.fwIntegrator, "-0.25000003"));
  EXPECT_TRUE(isSingle(x.s.iqLimit, "299.989594"));
  EXPECT_TRUE(isSingle(-2.0f * x.s.iqLimit, "-599.979187"));
  EXPECT_TRUE(isSingle(x.s.iqLimit + x.s.iqLimit, "599.979187"));
}

TEST(FocChannel, FieldWeakeningClampsAtTheMostNegativeDCurrent) {
  WorkedExample x;
  x.state.modIndex[1] = 10;
  x.state.fwIntegrator = 0.125f;
  x.step();
  EXPECT_TRUE(isSingle(x.s.dqRef[0], "-285"));
  EXPECT_TRUE(isSingle(x.state.fwIntegrator, "0.125"));
  EXPECT_TRUE(isSingle(x.s.iqLimit, "93.6749725"));
}

TEST(FocChannel, SpeedPiClampsAtTwiceTheQLimit) {
  WorkedExample x;
  x.iqCommand = 50;
  x.omega = 99;
  x.step();
  EXPECT_TRUE(isSingle(x.s.speedPi, "600"));
  EXPECT_TRUE(isSingle(x.state.speedIntegrator, "0"));
  EXPECT_TRUE(isSingle(x.s.dqRef[1], "300"));
}

TEST(FocChannel, OnlyTheSumWithTheCommandIsClampedToTheQLimit) {
  WorkedExample x;
  x.iqCommand = -100;
  x.omega = 99.6f;
  x.step();
  EXPECT_TRUE(isSingle(x.s.speedPi, "400.001526"));
  EXPECT_TRUE(isSingle(x.state.speedIntegrator, "0.0200000759"));
  EXPECT_TRUE(isSingle(x.s.dqRef[1], "300"));
}

TEST(FocChannel, FeedForwardFollowsReferencesNotMeasurements) {
  WorkedExample a, b;
  b.ia = 40;
  b.ib = -25;
  b.ic = -15;
  a.step();
  b.step();
  EXPECT_TRUE(sameBits(a.s.vdqFf[0], b.s.vdqFf[0]) && sameBits(a.s.vdqFf[1], b.s.vdqFf[1]));
  EXPECT_FALSE(sameBits(a.s.vdPi, b.s.vdPi));
  EXPECT_FALSE(sameBits(a.s.vqPi, b.s.vqPi));
}

TEST(FocChannel, ZeroDcLinkAffectsOnlyTheOutputs) {
  WorkedExample a, b;
  b.udc = 0;
  a.step();
  b.step();
  EXPECT_TRUE(std::isinf(b.out[0]) && std::isinf(b.out[1]) && std::isinf(b.out[2]));
  EXPECT_TRUE(sameBits(a.state.modIndex[1], b.state.modIndex[1]));
  EXPECT_TRUE(sameBits(a.state.iqIntegrator, b.state.iqIntegrator));
}
}  // namespace

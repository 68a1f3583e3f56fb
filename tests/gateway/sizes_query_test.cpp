#include <cmath>
#include <limits>

#include "module_fixture.h"

namespace substitute_host {
namespace {

const std::string kDescription = "MEX level2 S-function \"Corvalent2\"";

TEST_F(ModuleTest, CommandLineQueryAnswersTheDeclaredSizes) {
  for (int nlhs : {1, 0}) {
    const GatewayOutcome outcome = querySizes(module, nlhs);
    ASSERT_FALSE(outcome.raisedError) << outcome.errorId;
    ASSERT_EQ(outcome.results.size(), 1u);
    EXPECT_EQ(mxGetM(outcome.results[0].get()), 40u);
    EXPECT_EQ(mxGetN(outcome.results[0].get()), 1u);
    EXPECT_EQ(sizesOf(outcome), expectedPrivateSizes()) << "nlhs " << nlhs;
  }
  EXPECT_EQ(outstandingCallocBytes(), 0u);  // the private record is reclaimed
}

TEST_F(ModuleTest, DialogParametersStopTheDeclarationAtOnce) {
  std::vector<double> expected(40, 0.0);
  expected[19] = 8480229;
  expected[23] = 8192;
  EXPECT_EQ(sizesOf(querySizes(module, 1, 1)), expected);
  EXPECT_EQ(outstandingCallocBytes(), 0u);
}

TEST_F(ModuleTest, ThreeElementsThatAreNoHandleSelectAPrivateQuery) {
  OwnedArray empty = makeDoubleMatrix(0, 0), flag = makeDoubleMatrix(1, 1, {0});
  OwnedArray notAHandle = makeDoubleMatrix(3, 1, {1, 2, 3});
  OwnedArray nanStamp = makeDoubleMatrix(3, 1, {1, 2, std::nan("")});
  OwnedArray intHandle = makeNumericMatrix(mxINT32_CLASS, 3, 1);
  for (const mxArray* second : {notAHandle.get(), nanStamp.get(), intHandle.get()})
    EXPECT_EQ(sizesOf(callWith(module, 1, {empty.get(), second, empty.get(), flag.get()})),
              expectedPrivateSizes());
}

struct ArgumentError {
  std::string id;
  std::vector<ErrorArgument> arguments;
};

void expectError(const GatewayOutcome& outcome, const ArgumentError& expected) {
  EXPECT_TRUE(outcome.raisedError);
  EXPECT_EQ(outcome.errorId, "Simulink:SFunctions:" + expected.id);
  EXPECT_EQ(outcome.errorArguments, expected.arguments);
  EXPECT_TRUE(outcome.results.empty());
}

TEST_F(ModuleTest, EveryArgumentErrorRaisesItsIdAndReturnsNoSizes) {
  OwnedArray empty = makeDoubleMatrix(0, 0), zero = makeDoubleMatrix(1, 1, {0});
  const ArgumentError tooFew{"SimStructTooFewRHSArguments", {kDescription, 4.0}};
  const ArgumentError tooMany{"SimStructTooManyLHSArguments", {kDescription}};
  const ArgumentError notInteger{"SimStructForthRHSArgIsNotInteger", {kDescription}};
  const ArgumentError invalidFlag{"SimStructInvalidFlagPassedToSfcn", {kDescription}};

  expectError(callWith(module, 1, {empty.get(), empty.get(), empty.get()}), tooFew);
  expectError(callWith(module, 1, {}), tooFew);
  expectError(callWith(module, 2, {empty.get(), empty.get(), empty.get(), zero.get()}), tooMany);

  std::vector<OwnedArray> badFlags;
  badFlags.push_back(makeDoubleMatrix(1, 2, {0, 0}));
  badFlags.push_back(makeComplexScalar(0, 0));
  badFlags.push_back(makeText("0"));
  badFlags.push_back(makeNumericMatrix(mxSINGLE_CLASS, 1, 1));  // no double to read
  for (double value : {0.5, std::nan(""), std::numeric_limits<double>::infinity(), 2147483648.0})
    badFlags.push_back(makeDoubleMatrix(1, 1, {value}));
  for (const OwnedArray& flag : badFlags)
    expectError(callWith(module, 1, {empty.get(), empty.get(), empty.get(), flag.get()}),
                notInteger);

  for (double value : {3.0, -2147483648.0}) {
    OwnedArray flag = makeDoubleMatrix(1, 1, {value});
    expectError(callWith(module, 1, {empty.get(), empty.get(), empty.get(), flag.get()}),
                invalidFlag);
  }
  EXPECT_EQ(outstandingCallocBytes(), 0u);
}

// Should the host's "error" come back, the gateway must stop on its own rather than go
// on to read arguments that are not there.
TEST_F(ModuleTest, GatewayStopsWhenTheHostErrorReturns) {
  letErrorCallsReturn(true);
  mxArray* plhs[1] = {nullptr};
  GatewayOutcome outcome = callGateway(module.gateway, 1, plhs, 0, nullptr);
  EXPECT_TRUE(outcome.errorReturned);
  EXPECT_EQ(outcome.errorId, "Simulink:SFunctions:SimStructTooFewRHSArguments");
  EXPECT_TRUE(outcome.results.empty());

  OwnedArray empty = makeDoubleMatrix(0, 0), half = makeDoubleMatrix(1, 1, {0.5});
  outcome = callWith(module, 1, {empty.get(), empty.get(), empty.get(), half.get()});
  EXPECT_TRUE(outcome.errorReturned);
  EXPECT_TRUE(outcome.results.empty());
}

TEST_F(ModuleTest, ApiVersionQueryStoresBothWords) {
  uint32_t first = 0, second = 0;
  module.apiVersion(&first, &second);
  EXPECT_EQ(first, 131594u);
  EXPECT_EQ(second, 117440512u);
}

}  // namespace
}  // namespace substitute_host

// The gateway's sizes path under arbitrary arguments: 0 to 8 arguments of any class,
// shape and contents, 0 to 3 results asked for. It may raise only the five argument
// errors; a query without a handle answers the sizes vector; a handle that passes the
// gateway's tests names a live host record (a handle to anything else is outside what
// the gateway guards against); and no host memory outlives the call.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "fuzz_arrays.h"
#include "loader/host_calls.h"
#include "records/host_block.h"
#include "runtime/gateway_call.h"

namespace {

using namespace substitute_host;

const std::set<std::string> kArgumentErrors = {
    "Simulink:SFunctions:SimStructTooFewRHSArguments",
    "Simulink:SFunctions:SimStructTooManyLHSArguments",
    "Simulink:SFunctions:SimStructForthRHSArgIsNotInteger",
    "Simulink:SFunctions:SimStructInvalidFlagPassedToSfcn",
    "Simulink:SFunctions:SimStructSFunctionNameMismatch"};

std::vector<double> privateSizes(int nrhs) {
  std::vector<double> v(40, 0.0);
  v[19] = 8480229;
  if (nrhs > 4) {
    v[23] = 8192;  // a dialog parameter stops the size declaration at once
    return v;
  }
  v[2] = 2;
  v[3] = 9;
  v[6] = 1;
  v[23] = 537403394;
  v[31] = 524290;
  return v;
}

// The second argument, when it passes the gateway's tests for a handle, is pointed at
// a record of ours; whether it still passes is the gateway's to decide.
bool bindHandle(mxArray* argument, HostBlock& block) {
  if (mxGetClassID(argument) != mxDOUBLE_CLASS || mxGetM(argument) != 3 || mxGetN(argument) == 0 ||
      mxIsComplex(argument))
    return false;
  double* values = mxGetPr(argument);
  if (!(values[2] == 8480229.0)) return false;
  const auto handle = recordHandle(block.record());
  values[0] = handle[0];
  values[1] = handle[1];
  return true;
}

const char* chosenName(fuzz::ByteSource& in) {
  const char* names[] = {"Corvalent2", "Corvalent", "Corvalent22", "corvalent2", ""};
  return names[in.pick(5)];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::ByteSource in(data, size);
  const int nlhs = static_cast<int>(in.pick(4));
  const int nrhs = static_cast<int>(in.pick(9));
  HostBlock block(chosenName(in));
  std::vector<OwnedArray> arguments;
  std::vector<const mxArray*> prhs;
  bool handleBound = false;
  for (int i = 0; i < nrhs; ++i) {
    arguments.push_back(fuzz::chosenArray(in));
    if (i == 1) handleBound = bindHandle(arguments.back().get(), block);
    prhs.push_back(arguments.back().get());
  }
  mxArray* plhs[4] = {};
  const GatewayOutcome outcome =
      callGateway(fuzz::moduleUnderTest().gateway, nlhs, plhs, nrhs, prhs.data());

  fuzz::check(outstandingCallocBytes() == 0, "host memory outlived the call");
  if (outcome.raisedError) {
    fuzz::check(kArgumentErrors.count(outcome.errorId) == 1, "raised " + outcome.errorId);
    return 0;
  }
  fuzz::check(nrhs >= 4 && nlhs <= 1, "a call with wrong counts raised nothing");
  fuzz::check(outcome.results.size() == 1, "no sizes vector came back");
  const mxArray* sizes = outcome.results[0].get();
  fuzz::check(mxGetClassID(sizes) == mxDOUBLE_CLASS && mxGetM(sizes) == 40 && mxGetN(sizes) == 1 &&
                  !mxIsComplex(sizes),
              "the sizes vector is not a real 40-by-1 double");
  if (!handleBound || block.record()->methods.outputs == nullptr) {
    fuzz::check(valuesOf(sizes) == privateSizes(nrhs), "a private query answered other sizes");
  }
  return 0;
}

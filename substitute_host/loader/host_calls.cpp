#include "host_calls.h"

#include "record_handle.h"

namespace substitute_host {

GatewayOutcome callWith(const PluginModule& module, int nlhs, std::vector<const mxArray*> prhs) {
  mxArray* plhs[2] = {nullptr, nullptr};
  return callGateway(module.gateway, nlhs, plhs, static_cast<int>(prhs.size()), prhs.data());
}

GatewayOutcome querySizes(const PluginModule& module, int nlhs, int dialogParameters) {
  OwnedArray empty = makeDoubleMatrix(0, 0), flag = makeDoubleMatrix(1, 1, {kSizesCallFlag});
  std::vector<OwnedArray> parameters;
  std::vector<const mxArray*> prhs = {empty.get(), empty.get(), empty.get(), flag.get()};
  for (int i = 0; i < dialogParameters; ++i) {
    parameters.push_back(makeDoubleMatrix(1, 1, {static_cast<double>(i)}));
    prhs.push_back(parameters.back().get());
  }
  return callWith(module, nlhs, prhs);
}

GatewayOutcome installByHandle(const PluginModule& module,
                               const std::array<double, kRecordHandleRows>& handle) {
  OwnedArray empty = makeDoubleMatrix(0, 0), flag = makeDoubleMatrix(1, 1, {kSizesCallFlag});
  OwnedArray handleArray =
      makeDoubleMatrix(kRecordHandleRows, 1, std::vector<double>(handle.begin(), handle.end()));
  return callWith(module, 1, {empty.get(), handleArray.get(), empty.get(), flag.get()});
}

GatewayOutcome installBlock(const PluginModule& module, HostBlock& block, double stamp) {
  GatewayOutcome outcome = installByHandle(module, recordHandle(block.record(), stamp));
  if (!outcome.raisedError) block.allocateSignals();
  return outcome;
}

GatewayOutcome sendHostFlag(const PluginModule& module, HostBlock& block, double flag) {
  return PreparedFlagCall(flag).send(module, block);
}

PreparedFlagCall::PreparedFlagCall(double flag)
    : empty_(makeDoubleMatrix(0, 0)), flag_(makeDoubleMatrix(1, 1, {flag})) {}

GatewayOutcome PreparedFlagCall::send(const PluginModule& module, HostBlock& block) const {
  // The host's flag calls carry the record's address in the second result slot.
  mxArray* plhs[2] = {nullptr, reinterpret_cast<mxArray*>(block.record())};
  const mxArray* prhs[4] = {empty_.get(), empty_.get(), empty_.get(), flag_.get()};
  return callGateway(module.gateway, -1, plhs, 4, prhs);
}

}  // namespace substitute_host

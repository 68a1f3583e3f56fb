#include "host_calls.h"

#include <cstdint>

namespace substitute_host {

std::vector<double> recordHandle(const SimStruct* record, double stamp) {
  const auto address = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(record));
  const auto low = static_cast<int32_t>(static_cast<uint32_t>(address));
  const auto high = static_cast<int32_t>(static_cast<uint32_t>(address >> 32));
  return {static_cast<double>(low), static_cast<double>(high), stamp};
}

GatewayOutcome callWith(const PluginModule& module, int nlhs, std::vector<const mxArray*> prhs) {
  mxArray* plhs[2] = {nullptr, nullptr};
  return callGateway(module.gateway, nlhs, plhs, static_cast<int>(prhs.size()), prhs.data());
}

GatewayOutcome querySizes(const PluginModule& module, int nlhs, int dialogParameters) {
  OwnedArray empty = makeDoubleMatrix(0, 0), flag = makeDoubleMatrix(1, 1, {0.0});
  std::vector<OwnedArray> parameters;
  std::vector<const mxArray*> prhs = {empty.get(), empty.get(), empty.get(), flag.get()};
  for (int i = 0; i < dialogParameters; ++i) {
    parameters.push_back(makeDoubleMatrix(1, 1, {static_cast<double>(i)}));
    prhs.push_back(parameters.back().get());
  }
  return callWith(module, nlhs, prhs);
}

GatewayOutcome installBlock(const PluginModule& module, HostBlock& block, double stamp) {
  OwnedArray empty = makeDoubleMatrix(0, 0), flag = makeDoubleMatrix(1, 1, {0.0});
  OwnedArray handle = makeDoubleMatrix(3, 1, recordHandle(block.record(), stamp));
  GatewayOutcome outcome = callWith(module, 1, {empty.get(), handle.get(), empty.get(), flag.get()});
  if (!outcome.raisedError) block.allocateSignals();
  return outcome;
}

GatewayOutcome sendHostFlag(const PluginModule& module, HostBlock& block, double flag) {
  OwnedArray empty = makeDoubleMatrix(0, 0), flagArray = makeDoubleMatrix(1, 1, {flag});
  // The host's flag calls carry the record's address in the second result slot.
  mxArray* plhs[2] = {nullptr, reinterpret_cast<mxArray*>(block.record())};
  const mxArray* prhs[4] = {empty.get(), empty.get(), empty.get(), flagArray.get()};
  return callGateway(module.gateway, -1, plhs, 4, prhs);
}

}  // namespace substitute_host

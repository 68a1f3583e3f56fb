#pragma once

// The gateway calls the host makes, by purpose: the command-line sizes query, the
// installing call that names a host record by handle, and flag calls on a record.

#include <vector>

#include "host_numbering.h"
#include "plugin_module.h"
#include "prepared_block.h"
#include "records/host_block.h"

namespace substitute_host {

GatewayOutcome querySizes(const PluginModule& module, int nlhs = 1, int dialogParameters = 0);
GatewayOutcome installBlock(const PluginModule& module, HostBlock& block,
                            double stamp = kVersionStamp);
// The installing call with the three doubles of a record handle.
GatewayOutcome installByHandle(const PluginModule& module,
                               const std::array<double, kRecordHandleRows>& handle);
GatewayOutcome sendHostFlag(const PluginModule& module, HostBlock& block, double flag);

// The arguments of one flag call, made once: a loop that sends the same flag every
// step allocates nothing per step.
class PreparedFlagCall {
 public:
  explicit PreparedFlagCall(double flag);
  GatewayOutcome send(const PluginModule& module, HostBlock& block) const;

 private:
  OwnedArray empty_;
  OwnedArray flag_;
};

// A gateway call with the given arguments (null entries allowed) and result count.
GatewayOutcome callWith(const PluginModule& module, int nlhs, std::vector<const mxArray*> prhs);

}  // namespace substitute_host

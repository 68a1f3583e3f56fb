#pragma once

// The gateway calls the host makes, by purpose: the command-line sizes query, the
// installing call that names a host record by handle, and flag calls on a record.

#include <vector>

#include "host_numbering.h"
#include "plugin_module.h"
#include "records/host_block.h"

namespace substitute_host {

// The three doubles that name a record (record_handle.h): the low and high halves of
// its address, then the version stamp.
std::vector<double> recordHandle(const SimStruct* record, double stamp = kVersionStamp);

GatewayOutcome querySizes(const PluginModule& module, int nlhs = 1, int dialogParameters = 0);
GatewayOutcome installBlock(const PluginModule& module, HostBlock& block,
                            double stamp = kVersionStamp);
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

#pragma once

// The gateway calls the host makes, by purpose: the command-line sizes query, the
// installing call that names a host record by handle, and flag calls on a record.

#include <vector>

#include "plugin_module.h"
#include "records/host_block.h"

namespace substitute_host {

// The three doubles that name a record: the low and high halves of its address, then
// the version stamp.
std::vector<double> recordHandle(const SimStruct* record, double stamp = 8480229.0);

GatewayOutcome querySizes(const PluginModule& module, int nlhs = 1, int dialogParameters = 0);
GatewayOutcome installBlock(const PluginModule& module, HostBlock& block,
                            double stamp = 8480229.0);
GatewayOutcome sendHostFlag(const PluginModule& module, HostBlock& block, double flag);

// A gateway call with the given arguments (null entries allowed) and result count.
GatewayOutcome callWith(const PluginModule& module, int nlhs, std::vector<const mxArray*> prhs);

}  // namespace substitute_host

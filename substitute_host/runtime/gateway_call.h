#pragma once

// Calling a plug-in's gateway the way the host does: allocations made with mxCalloc and
// arrays made during the call are reclaimed when it returns, an error raised through
// the host's "error" function ends the call and comes back here as the outcome, and
// warnings are collected.

#include <string>
#include <variant>
#include <vector>

#include "export.h"
#include "host_arrays.h"

namespace substitute_host {

using MexGateway = void (*)(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

using ErrorArgument = std::variant<std::string, double>;

struct GatewayOutcome {
  bool raisedError = false;
  std::string errorId;
  std::vector<ErrorArgument> errorArguments;
  std::vector<std::string> warnings;
  std::vector<OwnedArray> results;  // plhs[0 .. max(nlhs, 1)) for a call with nlhs >= 0
  bool errorReturned = false;       // an "error" call came back, as a faulty host's might
};

MEX_LIBRARY_API GatewayOutcome callGateway(MexGateway gateway, int nlhs, mxArray* plhs[], int nrhs,
                                           const mxArray* prhs[]);

// Makes the host's "error" function return to its caller instead of ending the call,
// to see that the plug-in stops on its own.
MEX_LIBRARY_API void letErrorCallsReturn(bool returns);

// Warnings issued outside any gateway call.
MEX_LIBRARY_API std::vector<std::string> takeStrayWarnings();

}  // namespace substitute_host

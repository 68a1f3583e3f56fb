// One gateway call as the host runs it, with the interpreter operations the plug-in
// imports from the host's MEX library (libmex): the host functions "message" and
// "error", and warnings.
#include "gateway_call.h"

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <utility>

#include "array_record.h"
#include "mex_api.h"

namespace substitute_host {
namespace {

// How an error raised in the host ends the gateway call: a jump back into callGateway
// that resumes none of the plug-in's frames in between and runs nothing of theirs, as
// longjmp does on Linux. On 64-bit Windows the C library's longjmp instead unwinds
// those frames through the system's exception dispatch, which calls each frame's
// language handler (GCC's, for the plug-in's frames), so the outcome would depend on
// how every frame between was compiled. GCC's own jump only restores the registers
// and needs the jump taken outside the function that set it (escapeFromCall).
#if defined(_WIN32) && defined(__GNUC__)
using CallEscape = void* [5];
#define SUBSTITUTE_HOST_SET_ESCAPE(escape) __builtin_setjmp(escape)
#define SUBSTITUTE_HOST_TAKE_ESCAPE(escape) __builtin_longjmp(escape, 1)
#else
using CallEscape = std::jmp_buf;
#define SUBSTITUTE_HOST_SET_ESCAPE(escape) setjmp(escape)
#define SUBSTITUTE_HOST_TAKE_ESCAPE(escape) std::longjmp(escape, 1)
#endif

// The gateway call in progress: what it was given and how it ends.
struct CallInProgress {
  CallScope scope;
  CallEscape escape;
  GatewayOutcome* outcome = nullptr;
};

CallInProgress* activeCall = nullptr;
bool errorCallsReturn = false;
std::vector<std::string> strayWarnings;

// The arrays that survive the call: its results, handed to the host's caller.
void collectResults(CallScope& scope, int nlhs, mxArray* plhs[], GatewayOutcome& outcome) {
  if (nlhs < 0) return;  // a flag call: plhs carries the record address, not results
  const int slots = nlhs > 0 ? nlhs : 1;
  for (int i = 0; i < slots; ++i) {
    mxArray* result = plhs[i];
    auto found = std::find(scope.arrays.begin(), scope.arrays.end(), result);
    if (result == nullptr || found == scope.arrays.end()) continue;
    scope.arrays.erase(found);
    outcome.results.emplace_back(result);
  }
}

[[noreturn]] void escapeFromCall() { SUBSTITUTE_HOST_TAKE_ESCAPE(activeCall->escape); }

}  // namespace

GatewayOutcome callGateway(MexGateway gateway, int nlhs, mxArray* plhs[], int nrhs,
                           const mxArray* prhs[]) {
  GatewayOutcome outcome;
  CallInProgress call;
  call.outcome = &outcome;
  CallInProgress* outer = activeCall;
  activeCall = &call;
  CallScope* outerScope = enterCallScope(&call.scope);
  if (nlhs >= 0)
    for (int i = 0; i < (nlhs > 0 ? nlhs : 1); ++i) plhs[i] = nullptr;
  // An error raised in the host ends the call here; nothing of the plug-in's frames
  // between is resumed.
  if (SUBSTITUTE_HOST_SET_ESCAPE(call.escape) == 0) {
    gateway(nlhs, plhs, nrhs, prhs);
    collectResults(call.scope, nlhs, plhs, outcome);
  } else {
    outcome.raisedError = true;
  }
  enterCallScope(outerScope);
  releaseCallScope(call.scope);
  activeCall = outer;
  return outcome;
}

void letErrorCallsReturn(bool returns) { errorCallsReturn = returns; }

std::vector<std::string> takeStrayWarnings() { return std::exchange(strayWarnings, {}); }

}  // namespace substitute_host

using namespace substitute_host;

extern "C" {

int mexCallMATLABWithObject(int resultCount, mxArray* results[], int argumentCount,
                            mxArray* arguments[], const char* name) {
  if (std::strcmp(name, "message") == 0 && resultCount == 1 && argumentCount >= 1) {
    mxArray* message = newArray(mxUNKNOWN_CLASS, 1, 1, false);
    message->isMessage = true;
    message->messageId = textOf(arguments[0]);
    for (int i = 1; i < argumentCount; ++i) {
      if (mxGetClassID(arguments[i]) == mxCHAR_CLASS)
        message->messageArguments.emplace_back(textOf(arguments[i]));
      else
        message->messageArguments.emplace_back(valuesOf(arguments[i]).at(0));
    }
    results[0] = message;
    return 0;
  }
  if (std::strcmp(name, "error") == 0 && activeCall != nullptr && argumentCount == 1 &&
      arguments[0] != nullptr && arguments[0]->isMessage) {
    GatewayOutcome& outcome = *activeCall->outcome;
    outcome.errorId = arguments[0]->messageId;
    outcome.errorArguments = arguments[0]->messageArguments;
    if (errorCallsReturn) {
      outcome.raisedError = true;
      outcome.errorReturned = true;
      return 1;
    }
    escapeFromCall();
  }
  if (activeCall != nullptr) {
    activeCall->outcome->errorId = std::string("substitute host: cannot call '") + name + "'";
    escapeFromCall();
  }
  return 1;
}

void mexWarnMsgTxt(const char* text) {
  if (activeCall != nullptr)
    activeCall->outcome->warnings.emplace_back(text);
  else
    strayWarnings.emplace_back(text);
}

}  // extern "C"

// One gateway call as the host runs it, with the interpreter operations the plug-in
// imports: mxCalloc, the host functions "message" and "error", and warnings.
#include "gateway_call.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <cstring>

#include "array_record.h"
#include "mex_api.h"

namespace substitute_host {
namespace {

CallInProgress* activeCall = nullptr;
bool errorCallsReturn = false;
std::vector<std::string> strayWarnings;
std::size_t outstandingBytes = 0;

// mxCalloc memory handed out while no gateway call runs: the host keeps it until it
// exits, then frees it.
struct HostLifetimeAllocations {
  std::vector<void*> memory;
  ~HostLifetimeAllocations();
} hostLifetimeAllocations;

struct CallocHeader {
  std::size_t bytes;
  std::max_align_t align;
};

void freeAllocation(void* memory) {
  auto* header = static_cast<CallocHeader*>(memory) - 1;
  outstandingBytes -= header->bytes;
  std::free(header);
}

// The arrays that survive the call: its results, handed to the host's caller.
void collectResults(CallInProgress& call, int nlhs, mxArray* plhs[], GatewayOutcome& outcome) {
  if (nlhs < 0) return;  // a flag call: plhs carries the record address, not results
  const int slots = nlhs > 0 ? nlhs : 1;
  for (int i = 0; i < slots; ++i) {
    mxArray* result = plhs[i];
    auto found = std::find(call.arrays.begin(), call.arrays.end(), result);
    if (result == nullptr || found == call.arrays.end()) continue;
    call.arrays.erase(found);
    outcome.results.emplace_back(result);
  }
}

void endCall(CallInProgress& call) {
  for (void* memory : call.allocations) freeAllocation(memory);
  for (mxArray* array : call.arrays) destroyArray(array);
}

[[noreturn]] void escapeFromCall() { SUBSTITUTE_HOST_TAKE_ESCAPE(activeCall->escape); }

HostLifetimeAllocations::~HostLifetimeAllocations() {
  for (void* allocation : memory) freeAllocation(allocation);
}

}  // namespace

CallInProgress* currentCall() { return activeCall; }

GatewayOutcome callGateway(MexGateway gateway, int nlhs, mxArray* plhs[], int nrhs,
                           const mxArray* prhs[]) {
  GatewayOutcome outcome;
  CallInProgress call;
  call.outcome = &outcome;
  CallInProgress* outer = activeCall;
  activeCall = &call;
  if (nlhs >= 0)
    for (int i = 0; i < (nlhs > 0 ? nlhs : 1); ++i) plhs[i] = nullptr;
  // An error raised in the host ends the call here; nothing of the plug-in's frames
  // between is resumed.
  if (SUBSTITUTE_HOST_SET_ESCAPE(call.escape) == 0) {
    gateway(nlhs, plhs, nrhs, prhs);
    collectResults(call, nlhs, plhs, outcome);
  } else {
    outcome.raisedError = true;
  }
  endCall(call);
  activeCall = outer;
  return outcome;
}

void letErrorCallsReturn(bool returns) { errorCallsReturn = returns; }

std::vector<std::string> takeStrayWarnings() { return std::exchange(strayWarnings, {}); }

std::size_t outstandingCallocBytes() { return outstandingBytes; }

}  // namespace substitute_host

using namespace substitute_host;

extern "C" {

// Null, as calloc, when count x size bytes (with the header) do not fit a size_t: the
// wrapped product would be a small block that the caller takes for a large one.
void* mxCalloc(size_t count, size_t size) {
  if (size != 0 && count > (SIZE_MAX - sizeof(CallocHeader)) / size) return nullptr;
  const std::size_t bytes = count * size;
  auto* header = static_cast<CallocHeader*>(std::calloc(1, sizeof(CallocHeader) + bytes));
  if (header == nullptr) return nullptr;
  header->bytes = bytes;
  outstandingBytes += bytes;
  void* memory = header + 1;
  (activeCall != nullptr ? activeCall->allocations : hostLifetimeAllocations.memory)
      .push_back(memory);
  return memory;
}

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

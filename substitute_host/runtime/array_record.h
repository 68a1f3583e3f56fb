#pragma once

// Inside the substitute host: what an mxArray holds, and the bookkeeping of the gateway
// call in progress.

#include <csetjmp>
#include <cstddef>
#include <string>
#include <vector>

#include "gateway_call.h"

struct mxArray_tag {
  mxClassID classId = mxDOUBLE_CLASS;
  std::size_t rows = 0;
  std::size_t columns = 0;
  bool complex = false;
  std::vector<unsigned char> real;  // element bytes, column-major
  std::vector<unsigned char> imaginary;
  // A message object made by the host's "message" function.
  bool isMessage = false;
  std::string messageId;
  std::vector<substitute_host::ErrorArgument> messageArguments;
};

namespace substitute_host {

std::size_t elementSize(mxClassID classId);
mxArray* newArray(mxClassID classId, std::size_t rows, std::size_t columns, bool complex);
void destroyArray(mxArray* array);

// The gateway call in progress, if any: what it allocated and how it ends.
struct CallInProgress {
  std::vector<void*> allocations;
  std::vector<mxArray*> arrays;
  std::jmp_buf escape;
  GatewayOutcome* outcome = nullptr;
};
CallInProgress* currentCall();

}  // namespace substitute_host

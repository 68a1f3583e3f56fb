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

std::size_t elementSize(mxClassID classId);
mxArray* newArray(mxClassID classId, std::size_t rows, std::size_t columns, bool complex);
void destroyArray(mxArray* array);

// The gateway call in progress, if any: what it allocated and how it ends.
struct CallInProgress {
  std::vector<void*> allocations;
  std::vector<mxArray*> arrays;
  CallEscape escape;
  GatewayOutcome* outcome = nullptr;
};
CallInProgress* currentCall();

}  // namespace substitute_host

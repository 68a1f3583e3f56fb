#pragma once

// Inside the substitute host: what an mxArray holds, and which arrays and mxCalloc
// memory belong to the gateway call in progress. Shared by the host's matrix library
// (libmx), which makes arrays and memory, and its MEX library (libmex), which runs
// gateway calls and makes message objects.

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

MATRIX_LIBRARY_API std::size_t elementSize(mxClassID classId);
MATRIX_LIBRARY_API mxArray* newArray(mxClassID classId, std::size_t rows, std::size_t columns,
                                     bool complex);
MATRIX_LIBRARY_API void destroyArray(mxArray* array);

// What a gateway call has been given by the matrix library: reclaimed when it returns,
// but for the arrays handed back as results.
struct CallScope {
  std::vector<void*> allocations;
  std::vector<mxArray*> arrays;
};
// Makes `scope` the one that new arrays and mxCalloc memory go to (null: none, they
// live on) and answers the one it replaces.
MATRIX_LIBRARY_API CallScope* enterCallScope(CallScope* scope);
// Frees what the scope still holds.
MATRIX_LIBRARY_API void releaseCallScope(CallScope& scope);
MATRIX_LIBRARY_API CallScope* currentCallScope();

}  // namespace substitute_host

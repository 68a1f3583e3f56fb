// call_with_named_record(NAME): the installing call of Corvalent2, through Octave, with
// the handle of a record named NAME. Memory comes from Octave's allocator and nothing
// here needs releasing, so an error raised by the call may unwind through this frame.
#include <mex.h>

#include <cstdint>

#include "named_record.h"

void mexFunction(int, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nrhs != 1 || !mxIsChar(prhs[0])) mexErrMsgTxt("call_with_named_record(NAME)");
  const auto address = reinterpret_cast<uintptr_t>(namedRecord(mxCalloc, mxArrayToString(prhs[0])));
  mxArray* handle = mxCreateDoubleMatrix(3, 1, mxREAL);
  mxGetPr(handle)[0] = static_cast<int32_t>(static_cast<uint32_t>(address));
  mxGetPr(handle)[1] = static_cast<int32_t>(static_cast<uint32_t>(address >> 32));
  mxGetPr(handle)[2] = 8480229.0;
  mxArray* empty = mxCreateDoubleMatrix(0, 0, mxREAL);
  mxArray* arguments[4] = {empty, handle, empty, mxCreateDoubleScalar(0.0)};
  mexCallMATLAB(1, plhs, 4, arguments, "Corvalent2");
}

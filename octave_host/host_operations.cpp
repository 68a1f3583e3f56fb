// The two host operations that Octave does not provide under the names the module
// imports. Each forwards to Octave's own operation; everything else the module calls
// binds to Octave directly.
#include <stdint.h>

#include <mex.h>

namespace {
// Octave counts rows and columns in a signed 64-bit type.
constexpr size_t kLargestOctaveSize = static_cast<size_t>(INT64_MAX);
}  // namespace

extern "C" {

mxArray* mxCreateDoubleMatrix_700(size_t rows, size_t columns, mxComplexity complexity) {
  // A size Octave cannot count is one it cannot allocate: raised as Octave raises an
  // allocation it cannot make. The module only ever asks for 40 by 1.
  if (rows > kLargestOctaveSize || columns > kLargestOctaveSize)
    mexErrMsgIdAndTxt("Corvalent2:octave:matrixTooLarge",
                      "cannot create a %zu-by-%zu matrix", rows, columns);
  return mxCreateDoubleMatrix(static_cast<mwSize>(rows), static_cast<mwSize>(columns), complexity);
}

// An error raised by the called function ("error" always raises) unwinds from here as
// Octave's own exception, through the module's frames, back into Octave.
int mexCallMATLABWithObject(int resultCount, mxArray* results[], int argumentCount,
                            mxArray* arguments[], const char* name) {
  return mexCallMATLAB(resultCount, results, argumentCount, arguments, name);
}

}  // extern "C"

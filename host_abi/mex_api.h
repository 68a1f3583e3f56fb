#pragma once

// The host's interpreter operations that the plug-in calls, as the host's MEX library
// (libmex) exports them: calling a host function (used to build and raise errors) and
// issuing a warning. libmex.def lists the same names for the import library.

#include "export.h"
#include "matrix_api.h"

#ifdef __cplusplus
extern "C" {
#endif

// Calls the host function `name` with the arguments and fills the result slots. The
// host function "error" does not come back: the host ends the gateway call.
MEX_LIBRARY_API int mexCallMATLABWithObject(int resultCount, mxArray* results[], int argumentCount,
                                        mxArray* arguments[], const char* name);
MEX_LIBRARY_API void mexWarnMsgTxt(const char* text);

#ifdef __cplusplus
}
#endif

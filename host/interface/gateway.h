#pragma once

// The plug-in's two exports: the gateway the host calls, and its API-version query.

#include <stdint.h>

#include "export.h"
#include "matrix_api.h"

#ifdef __cplusplus
extern "C" {
#endif

PLUGIN_EXPORT void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);
PLUGIN_EXPORT void mexfilerequiredapiversion(uint32_t* first, uint32_t* second);

#ifdef __cplusplus
}
#endif

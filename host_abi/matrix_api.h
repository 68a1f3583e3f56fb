#pragma once

// The host's matrix operations that the plug-in calls, as the host's matrix library
// exports them. The plug-in only declares them; the host process supplies them when it
// loads the plug-in.

#include <stddef.h>
#ifndef __cplusplus
#include <stdbool.h>
#endif

#include "export.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct mxArray_tag mxArray;  // the host's array; its layout is the host's

// Class ids in the host's numbering.
typedef enum {
  mxUNKNOWN_CLASS = 0,
  mxCELL_CLASS = 1,
  mxSTRUCT_CLASS = 2,
  mxLOGICAL_CLASS = 3,
  mxCHAR_CLASS = 4,
  mxVOID_CLASS = 5,
  mxDOUBLE_CLASS = 6,
  mxSINGLE_CLASS = 7,
  mxINT8_CLASS = 8,
  mxUINT8_CLASS = 9,
  mxINT16_CLASS = 10,
  mxUINT16_CLASS = 11,
  mxINT32_CLASS = 12,
  mxUINT32_CLASS = 13,
  mxINT64_CLASS = 14,
  mxUINT64_CLASS = 15,
  mxFUNCTION_CLASS = 16
} mxClassID;

typedef enum { mxREAL = 0, mxCOMPLEX = 1 } mxComplexity;

HOST_IMPORT void* mxCalloc(size_t count, size_t size);
HOST_IMPORT mxArray* mxCreateString(const char* text);
HOST_IMPORT mxArray* mxCreateDoubleScalar(double value);
HOST_IMPORT mxArray* mxCreateDoubleMatrix_700(size_t rows, size_t columns,
                                              mxComplexity complexity);
HOST_IMPORT size_t mxGetM(const mxArray* array);
HOST_IMPORT size_t mxGetN(const mxArray* array);
HOST_IMPORT double* mxGetPr(const mxArray* array);
HOST_IMPORT bool mxIsComplex(const mxArray* array);
HOST_IMPORT bool mxIsNumeric(const mxArray* array);
HOST_IMPORT mxClassID mxGetClassID(const mxArray* array);

#ifdef __cplusplus
}
#endif

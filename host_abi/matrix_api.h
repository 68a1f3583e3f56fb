#pragma once

// The host's matrix operations that the plug-in calls, as the host's matrix library
// (libmx) exports them. The plug-in only declares them; the host process supplies them
// when it loads the plug-in. libmx.def lists the same names for the import library.

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

MATRIX_LIBRARY_API void* mxCalloc(size_t count, size_t size);
MATRIX_LIBRARY_API mxArray* mxCreateString(const char* text);
MATRIX_LIBRARY_API mxArray* mxCreateDoubleScalar(double value);
MATRIX_LIBRARY_API mxArray* mxCreateDoubleMatrix_700(size_t rows, size_t columns,
                                              mxComplexity complexity);
MATRIX_LIBRARY_API size_t mxGetM(const mxArray* array);
MATRIX_LIBRARY_API size_t mxGetN(const mxArray* array);
MATRIX_LIBRARY_API double* mxGetPr(const mxArray* array);
MATRIX_LIBRARY_API bool mxIsComplex(const mxArray* array);
MATRIX_LIBRARY_API bool mxIsNumeric(const mxArray* array);
MATRIX_LIBRARY_API mxClassID mxGetClassID(const mxArray* array);

#ifdef __cplusplus
}
#endif

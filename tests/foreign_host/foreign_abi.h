/* The operations this host lends a loaded module, and the module's two entry points,
 * declared from the calling convention alone: C linkage, sizes as size_t, truth values
 * as C's one-byte _Bool, class ids as int. The array stays opaque here; its layout is
 * this host's own business (foreign_mx.c). */
#ifndef FOREIGN_ABI_H
#define FOREIGN_ABI_H

#include <stdbool.h>
#include <stddef.h>

#if defined(_WIN32) && defined(FOREIGN_BUILDING_MX)
#define FOREIGN_MX_API __declspec(dllexport)
#elif defined(_WIN32)
#define FOREIGN_MX_API __declspec(dllimport)
#else
#define FOREIGN_MX_API __attribute__((visibility("default")))
#endif

#if defined(_WIN32) && defined(FOREIGN_BUILDING_MEX)
#define FOREIGN_MEX_API __declspec(dllexport)
#elif defined(_WIN32)
#define FOREIGN_MEX_API __declspec(dllimport)
#else
#define FOREIGN_MEX_API __attribute__((visibility("default")))
#endif

typedef struct foreign_array mxArray;

/* Class ids as the module numbers them. */
enum foreign_class_id {
  FX_UNKNOWN = 0, FX_CELL = 1, FX_STRUCT = 2, FX_LOGICAL = 3, FX_CHAR = 4, FX_VOID = 5,
  FX_DOUBLE = 6, FX_SINGLE = 7, FX_INT8 = 8, FX_UINT8 = 9, FX_INT16 = 10, FX_UINT16 = 11,
  FX_INT32 = 12, FX_UINT32 = 13, FX_INT64 = 14, FX_UINT64 = 15, FX_FUNCTION = 16
};

/* libmx: the matrix library. */
FOREIGN_MX_API void *mxCalloc(size_t count, size_t size);
FOREIGN_MX_API mxArray *mxCreateString(const char *text);
FOREIGN_MX_API mxArray *mxCreateDoubleScalar(double value);
FOREIGN_MX_API mxArray *mxCreateDoubleMatrix_700(size_t rows, size_t columns, int complexity);
FOREIGN_MX_API size_t mxGetM(const mxArray *array);
FOREIGN_MX_API size_t mxGetN(const mxArray *array);
FOREIGN_MX_API double *mxGetPr(const mxArray *array);
FOREIGN_MX_API bool mxIsComplex(const mxArray *array);
FOREIGN_MX_API bool mxIsNumeric(const mxArray *array);
FOREIGN_MX_API int mxGetClassID(const mxArray *array);

/* libmex: the interpreter's side. */
FOREIGN_MEX_API int mexCallMATLABWithObject(int nresults, mxArray *results[], int nargs,
                                            mxArray *args[], const char *name);
FOREIGN_MEX_API void mexWarnMsgTxt(const char *text);

/* The names the module imports, by library: the host checks where each one binds. */
#define FOREIGN_MX_IMPORTS                                                                   \
  "mxCalloc", "mxCreateString", "mxCreateDoubleScalar", "mxCreateDoubleMatrix_700", "mxGetM", \
      "mxGetN", "mxGetPr", "mxIsComplex", "mxIsNumeric", "mxGetClassID"
#define FOREIGN_MEX_IMPORTS "mexCallMATLABWithObject", "mexWarnMsgTxt"

/* What the module exports. */
typedef void (*foreign_gateway_fn)(int nlhs, mxArray *plhs[], int nrhs, const mxArray *prhs[]);
typedef void (*foreign_api_version_fn)(unsigned *first, unsigned *second);

#endif

#pragma once

// How a symbol crosses between the plug-in and the host process. The plug-in exports
// its two entry points and imports the host's operations from the host's two libraries:
// the matrix operations (mx...) from its matrix library libmx, the interpreter
// operations (mex...) from its MEX library libmex. Everything else stays inside. A host
// building one of those libraries defines HOST_BUILDING_MATRIX_LIBRARY or
// HOST_BUILDING_MEX_LIBRARY, so that on Windows that library exports what others import.
#if defined(_WIN32)
#define PLUGIN_EXPORT __declspec(dllexport)
#if defined(HOST_BUILDING_MATRIX_LIBRARY)
#define MATRIX_LIBRARY_API __declspec(dllexport)
#else
#define MATRIX_LIBRARY_API __declspec(dllimport)
#endif
#if defined(HOST_BUILDING_MEX_LIBRARY)
#define MEX_LIBRARY_API __declspec(dllexport)
#else
#define MEX_LIBRARY_API __declspec(dllimport)
#endif
#else
#define PLUGIN_EXPORT __attribute__((visibility("default")))
#define MATRIX_LIBRARY_API __attribute__((visibility("default")))
#define MEX_LIBRARY_API __attribute__((visibility("default")))
#endif

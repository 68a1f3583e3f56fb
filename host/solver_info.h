#pragma once

// The solver-information record: per continuous state, an absolute tolerance and a
// mark that says the block gave one.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct SolverTolerances {
  double* absoluteTolerance;
  uint8_t* toleranceGiven;
} SolverTolerances;

typedef struct SolverInfo {
  SolverTolerances* tolerances;
} SolverInfo;

#ifdef __cplusplus
}
#endif

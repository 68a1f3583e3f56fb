#pragma once

// The solver-information record: per continuous state, an absolute tolerance and a
// mark that says the block gave one.

#include <stdint.h>

#include "layout_pin.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct SolverTolerances {
  double* absoluteTolerance;
  uint8_t* toleranceGiven;
} SolverTolerances;

HOST_PIN_OFFSET(SolverTolerances, absoluteTolerance, 0);
HOST_PIN_OFFSET(SolverTolerances, toleranceGiven, 8);
HOST_PIN_SIZE(SolverTolerances, 16);

typedef struct SolverInfo {
  SolverTolerances* tolerances;
} SolverInfo;

HOST_PIN_OFFSET(SolverInfo, tolerances, 0);
HOST_PIN_SIZE(SolverInfo, 8);

#ifdef __cplusplus
}
#endif

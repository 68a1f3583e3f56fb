#pragma once

// The block's absolute tolerances for its continuous states, in the solver's tables.

#include <stdint.h>

#include "block_record.h"

// Gives state `stateIndex` (not checked: the caller's) the tolerance `value` and marks
// it given. -1.0 leaves the state to the solver's default; any other value must be
// finite and not negative (-0.0 counts as 0), else the block reports the error and the
// tables stay as they are. Without tolerance tables (a solver that keeps none) a valid
// value has nowhere to go and is dropped.
void setAbsoluteTolerance(SimStruct* block, int32_t stateIndex, double value);

// Marks every continuous state's tolerance given and answers the tolerance table, for
// the caller to fill; null when the solver keeps no tables.
double* absoluteToleranceArray(SimStruct* block);

#include "absolute_tolerance.h"

#include "error_reporting.h"

namespace {

SolverTolerances* tolerancesOf(SimStruct* block) {
  return block->solverInfo != nullptr ? block->solverInfo->tolerances : nullptr;
}

}  // namespace

void setAbsoluteTolerance(SimStruct* block, int32_t stateIndex, double value) {
  if (value == -1.0) return;
  // value - value is 0 for every finite value and NaN for infinities and NaN.
  if (!(value >= 0.0 && value - value == 0.0)) {
    reportBlockError(block, "Incorrect absolute tolerance value.");
    return;
  }
  SolverTolerances* tolerances = tolerancesOf(block);
  if (tolerances == nullptr || tolerances->absoluteTolerance == nullptr ||
      tolerances->toleranceGiven == nullptr)
    return;
  tolerances->toleranceGiven[stateIndex] = 1;
  tolerances->absoluteTolerance[stateIndex] = value;
}

double* absoluteToleranceArray(SimStruct* block) {
  SolverTolerances* tolerances = tolerancesOf(block);
  if (tolerances == nullptr) return nullptr;
  if (tolerances->toleranceGiven != nullptr) {
    const int32_t states = block->sizes.entry[kSizeContinuousStates];
    for (int32_t i = 0; i < states; ++i) tolerances->toleranceGiven[i] = 1;
  }
  return tolerances->absoluteTolerance;
}

#pragma once

#include "block_step.h"

namespace substitute_host {

// A BlockStepFn that calls the statically linked controller; context is unused.
// The controller's state is process-wide, so every call continues the same run.
void directDriveStep(void* context, const float* const inputs[kInputPortCount],
                     float* const outputs[kOutputPortCount]);

}  // namespace substitute_host

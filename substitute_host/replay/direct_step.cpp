#include "replay/direct_step.h"

#include "control/drive_step.h"

namespace substitute_host {

void directDriveStep(void* /*context*/, const float* const inputs[kInputPortCount],
                     float* const outputs[kOutputPortCount]) {
  driveOutputs(inputs[0], inputs[1], inputs[2], inputs[3], inputs[4], inputs[5], inputs[6],
               inputs[7], inputs[8], outputs[0], outputs[1]);
}

}  // namespace substitute_host

#pragma once

namespace corvalent2 {

// One output step of a drive block, however it is reached: straight into the linked
// controller, or through a loaded plug-in module. inputs holds the nine input ports in
// port order (iabc1[3], theta1, omega1, iabc2[3], theta2, omega2, udc, iqCommand,
// steerAngle); outputs the two output ports (vabcNorm1[3], vabcNorm2[3]), written in place.
// context is whatever the step needs to find its block; the caller only passes it on.
using BlockStepFn = void (*)(void* context, const float* const inputs[9], float* const outputs[2]);

}  // namespace corvalent2

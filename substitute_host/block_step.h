#pragma once

namespace substitute_host {

// One output step of a drive block, however the substitute host reaches it: straight
// into the linked controller, through a loaded plug-in module, or a test double. The
// replay and the simulation loops both step the block in this form. inputs holds the nine input ports in
// port order (iabc1[3], theta1, omega1, iabc2[3], theta2, omega2, udc, iqCommand,
// steerAngle); outputs the two output ports (vabcNorm1[3], vabcNorm2[3]), written in place.
// context is whatever the step needs to find its block; the caller only passes it on.
using BlockStepFn = void (*)(void* context, const float* const inputs[9], float* const outputs[2]);

}  // namespace substitute_host

#pragma once

namespace corvalent2::sim {

// How the simulator reaches the drive controller. The simulator never links the
// controller itself: the caller hands over a function and an opaque context, so the
// same loop drives an in-process controller, a loaded plug-in or a test double.
//
// inputs[] points at the nine input signals in port order:
//   0 iabc1[3]  1 theta1  2 omega1  3 iabc2[3]  4 theta2  5 omega2
//   6 udc       7 iqCommand         8 steerAngle
// outputs[] points at the two output vectors: 0 vabcNorm1[3], 1 vabcNorm2[3].
// Within one run every call gets the same buffer addresses, so an adapter may bind
// them once on the first call.
using ControllerStep = void (*)(void* context, const float* const inputs[9],
                                float* const outputs[2]);

inline constexpr int kInputPortCount = 9;
inline constexpr int kOutputPortCount = 2;
inline constexpr int kInputSignalCount = 13;  // the nine ports flattened
inline constexpr int kOutputSignalCount = 6;

// The controller runs at a fixed 50 us step; the plant is integrated in between.
inline constexpr double kControlStep = 50e-6;

}  // namespace corvalent2::sim

#pragma once

#include "block_step.h"

namespace substitute_host::plant {

// The simulator never links the controller itself: the caller hands over a block step
// and its context. Within one run every call gets the same buffer addresses, so an
// adapter may bind them once on the first call. The port layout (kInputPortCount,
// kInputSignalCount, ...) is the block's port map, through block_step.h.
using ControllerStep = BlockStepFn;

// The controller runs at a fixed 50 us step; the plant is integrated in between.
inline constexpr double kControlStep = 50e-6;

}  // namespace substitute_host::plant

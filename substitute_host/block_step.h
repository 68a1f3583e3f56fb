#pragma once

#include "block_ports.h"

namespace substitute_host {

// One output step of a drive block, however the substitute host reaches it: straight
// into the linked controller, through a loaded plug-in module, or a test double. The
// replay and the simulation loops both step the block in this form. inputs holds the
// input ports and outputs the output ports, each a buffer of the port's width, in the
// order and with the widths of the block's port map (block_ports.h); the outputs are
// written in place. The buffers are the loop's and stay where they are for the whole
// run, so a block in a host record may take them as its port buffers once and read
// and write them in place from then on. context is whatever the step needs to find its
// block; the caller only passes it on.
using BlockStepFn = void (*)(void* context, const float* const inputs[kInputPortCount],
                             float* const outputs[kOutputPortCount]);

// A row of all input signals (or all output signals) in port order, and the port
// pointers into it that a BlockStepFn receives.
struct PortRow {
  float inputs[kInputSignalCount] = {};
  float outputs[kOutputSignalCount] = {};
  const float* inputPorts[kInputPortCount];
  float* outputPorts[kOutputPortCount];

  PortRow() {
    for (const BlockPort& port : kInputPorts)
      inputPorts[port.index] = inputs + signalOffset(kInputPorts, port.index);
    for (const BlockPort& port : kOutputPorts)
      outputPorts[port.index] = outputs + signalOffset(kOutputPorts, port.index);
  }
  PortRow(const PortRow&) = delete;  // the pointers point into this object
  PortRow& operator=(const PortRow&) = delete;
};

}  // namespace substitute_host

#pragma once

// A block installed into a host record as the host sets one up for a run: the module
// loaded, the installing call made, the sample times set up by host flag 101, and the
// start method called. Steps then go through the output slot or through flag 104.

#include <memory>
#include <string>

#include "block_step.h"
#include "host_calls.h"

namespace substitute_host {

class InstalledBlock {
 public:
  InstalledBlock() = default;
  ~InstalledBlock();
  InstalledBlock(const InstalledBlock&) = delete;
  InstalledBlock& operator=(const InstalledBlock&) = delete;

  // False with a message when the module cannot be loaded, refuses the record or does
  // not declare the ports of the block's port map.
  bool open(const std::string& modulePath, std::string& error);

  HostBlock& block() { return *block_; }
  const PluginModule& module() const { return module_; }

  // One output step in the form of the replay and simulation loops. The loop's port
  // buffers become the host record's: the port records point at them, so the block
  // reads and writes them in place and nothing is copied in or out.
  static void stepThroughSlot(void* self, const float* const inputs[kInputPortCount],
                              float* const outputs[kOutputPortCount]);
  static void stepThroughFlag(void* self, const float* const inputs[kInputPortCount],
                              float* const outputs[kOutputPortCount]);

 private:
  bool declaredThePortMap() const;
  void usePortBuffers(const float* const inputs[kInputPortCount],
                      float* const outputs[kOutputPortCount]);

  PluginModule module_;
  std::unique_ptr<HostBlock> block_;
  PreparedFlagCall outputsFlag_{kHostFlagOutputs};
};

}  // namespace substitute_host

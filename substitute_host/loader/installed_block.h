#pragma once

// A block installed into a host record by the substitute host, which loads the module
// and calls its gateway itself (PreparedBlock does the rest, as for any host). Steps
// go through the output slot or through flag 104, in the loops' step form.

#include <string>

#include "block_step.h"
#include "host_calls.h"
#include "prepared_block.h"

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

  HostBlock& block() { return prepared_.block(); }
  const PluginModule& module() const { return module_; }

  static void stepThroughSlot(void* self, const float* const inputs[kInputPortCount],
                              float* const outputs[kOutputPortCount]);
  static void stepThroughFlag(void* self, const float* const inputs[kInputPortCount],
                              float* const outputs[kOutputPortCount]);

 private:
  static bool install(void* self, const std::array<double, kRecordHandleRows>& handle,
                      std::string& error);
  static void sendFlag(void* self, SimStruct* record, int32_t flag);

  PluginModule module_;
  PreparedBlock prepared_;
  PreparedFlagCall outputsFlag_{kHostFlagOutputs};
};

}  // namespace substitute_host

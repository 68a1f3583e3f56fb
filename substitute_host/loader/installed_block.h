#pragma once

// A block installed into a host record as the host sets one up for a run: the module
// loaded, the installing call made, the sample times set up by host flag 101, and the
// start method called. Steps then go through the output slot or through flag 104.

#include <memory>
#include <string>

#include "host_calls.h"

namespace substitute_host {

class InstalledBlock {
 public:
  InstalledBlock() = default;
  ~InstalledBlock();
  InstalledBlock(const InstalledBlock&) = delete;
  InstalledBlock& operator=(const InstalledBlock&) = delete;

  // False with a message when the module cannot be loaded or refuses the record.
  bool open(const std::string& modulePath, std::string& error);

  HostBlock& block() { return *block_; }
  const PluginModule& module() const { return module_; }

  // One output step in the form of the replay and simulation loops: inputs in port
  // order, copied into the host's port buffers; outputs copied out of them.
  static void stepThroughSlot(void* self, const float* const inputs[9], float* const outputs[2]);
  static void stepThroughFlag(void* self, const float* const inputs[9], float* const outputs[2]);

 private:
  void writeInputs(const float* const inputs[9]);
  void readOutputs(float* const outputs[2]);

  PluginModule module_;
  std::unique_ptr<HostBlock> block_;
};

}  // namespace substitute_host

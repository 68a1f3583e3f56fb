#include "installed_block.h"

namespace substitute_host {

InstalledBlock::~InstalledBlock() {
  // The record goes before the module: nothing of the module runs after it is unloaded.
  prepared_ = PreparedBlock();
  unloadPluginModule(module_);
}

bool InstalledBlock::install(void* self, const std::array<double, kRecordHandleRows>& handle,
                             std::string& error) {
  const GatewayOutcome installed = installByHandle(static_cast<InstalledBlock*>(self)->module_, handle);
  if (!installed.raisedError) return true;
  error = "the plug-in refused to install the block: " +
          (installed.errorId.empty() ? std::string("an unnamed error") : installed.errorId);
  return false;
}

void InstalledBlock::sendFlag(void* self, SimStruct*, int32_t flag) {
  auto& installed = *static_cast<InstalledBlock*>(self);
  if (flag == kHostFlagOutputs)
    installed.outputsFlag_.send(installed.module_, installed.block());  // every step
  else
    sendHostFlag(installed.module_, installed.block(), flag);
}

bool InstalledBlock::open(const std::string& modulePath, std::string& error) {
  if (!loadPluginModule(modulePath, module_, error)) return false;
  return prepared_.open({&InstalledBlock::install, &InstalledBlock::sendFlag, this}, error);
}

void InstalledBlock::stepThroughSlot(void* self, const float* const inputs[kInputPortCount],
                                     float* const outputs[kOutputPortCount]) {
  static_cast<InstalledBlock*>(self)->prepared_.step(StepVia::slot, inputs, outputs);
}

void InstalledBlock::stepThroughFlag(void* self, const float* const inputs[kInputPortCount],
                                     float* const outputs[kOutputPortCount]) {
  static_cast<InstalledBlock*>(self)->prepared_.step(StepVia::flag, inputs, outputs);
}

}  // namespace substitute_host

#include "installed_block.h"

namespace substitute_host {

InstalledBlock::~InstalledBlock() {
  block_.reset();
  unloadPluginModule(module_);
}

static std::string describe(const GatewayOutcome& outcome) {
  return outcome.errorId.empty() ? std::string("an unnamed error") : outcome.errorId;
}

bool InstalledBlock::declaredThePortMap() const {
  const auto& inputs = block_->inputPorts();
  const auto& outputs = block_->outputPorts();
  if (inputs.size() != kInputPorts.size() || outputs.size() != kOutputPorts.size()) return false;
  for (const BlockPort& port : kInputPorts)
    if (inputs[port.index].width != port.width) return false;
  for (const BlockPort& port : kOutputPorts)
    if (outputs[port.index].width != port.width) return false;
  return true;
}

bool InstalledBlock::open(const std::string& modulePath, std::string& error) {
  if (!loadPluginModule(modulePath, module_, error)) return false;
  block_ = std::make_unique<HostBlock>();
  const GatewayOutcome installed = installBlock(module_, *block_);
  if (installed.raisedError) {
    error = "the plug-in refused to install the block: " + describe(installed);
    return false;
  }
  if (!declaredThePortMap()) {
    error = "the plug-in did not declare nine inputs and two outputs of the block's widths";
    return false;
  }
  sendHostFlag(module_, *block_, kHostFlagDeclareSampleTimes);
  if (block_->record()->methods.start != nullptr) block_->record()->methods.start(block_->record());
  if (const char* status = block_->record()->errorStatus) {
    error = std::string("the plug-in reported an error while starting: ") + status;
    return false;
  }
  return true;
}

// The host decides where a port's signal lives; here it is the loop's buffer. Setting
// the eleven pointers costs no more than comparing them.
void InstalledBlock::usePortBuffers(const float* const inputs[kInputPortCount],
                                    float* const outputs[kOutputPortCount]) {
  SimStruct* record = block_->record();
  for (int32_t port = 0; port < kInputPortCount; ++port)
    record->inputPorts[port].signal = inputs[port];
  for (int32_t port = 0; port < kOutputPortCount; ++port)
    record->outputPorts[port].signal = outputs[port];
}

void InstalledBlock::stepThroughSlot(void* self, const float* const inputs[kInputPortCount],
                                     float* const outputs[kOutputPortCount]) {
  auto& installed = *static_cast<InstalledBlock*>(self);
  installed.usePortBuffers(inputs, outputs);
  SimStruct* record = installed.block_->record();
  record->methods.outputs(record, kTaskIdMajorStep);
}

void InstalledBlock::stepThroughFlag(void* self, const float* const inputs[kInputPortCount],
                                     float* const outputs[kOutputPortCount]) {
  auto& installed = *static_cast<InstalledBlock*>(self);
  installed.usePortBuffers(inputs, outputs);
  installed.outputsFlag_.send(installed.module_, *installed.block_);
}

}  // namespace substitute_host

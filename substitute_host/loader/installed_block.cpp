#include "installed_block.h"

#include <algorithm>

namespace substitute_host {

InstalledBlock::~InstalledBlock() {
  block_.reset();
  unloadPluginModule(module_);
}

static std::string describe(const GatewayOutcome& outcome) {
  return outcome.errorId.empty() ? std::string("an unnamed error") : outcome.errorId;
}

bool InstalledBlock::open(const std::string& modulePath, std::string& error) {
  if (!loadPluginModule(modulePath, module_, error)) return false;
  block_ = std::make_unique<HostBlock>();
  const GatewayOutcome installed = installBlock(module_, *block_);
  if (installed.raisedError) {
    error = "the plug-in refused to install the block: " + describe(installed);
    return false;
  }
  if (block_->inputPorts().size() != 9 || block_->outputPorts().size() != 2) {
    error = "the plug-in did not declare nine inputs and two outputs";
    return false;
  }
  sendHostFlag(module_, *block_, 101);
  if (block_->record()->methods.start != nullptr) block_->record()->methods.start(block_->record());
  if (const char* status = block_->record()->errorStatus) {
    error = std::string("the plug-in reported an error while starting: ") + status;
    return false;
  }
  return true;
}

void InstalledBlock::writeInputs(const float* const inputs[9]) {
  for (int port = 0; port < 9; ++port)
    std::copy_n(inputs[port], block_->inputPorts()[port].width, block_->inputSignal(port));
}

void InstalledBlock::readOutputs(float* const outputs[2]) {
  for (int port = 0; port < 2; ++port)
    std::copy_n(block_->outputSignal(port), block_->outputPorts()[port].width, outputs[port]);
}

void InstalledBlock::stepThroughSlot(void* self, const float* const inputs[9],
                                     float* const outputs[2]) {
  auto& installed = *static_cast<InstalledBlock*>(self);
  installed.writeInputs(inputs);
  SimStruct* record = installed.block_->record();
  record->methods.outputs(record, 0);
  installed.readOutputs(outputs);
}

void InstalledBlock::stepThroughFlag(void* self, const float* const inputs[9],
                                     float* const outputs[2]) {
  auto& installed = *static_cast<InstalledBlock*>(self);
  installed.writeInputs(inputs);
  sendHostFlag(installed.module_, *installed.block_, 104);
  installed.readOutputs(outputs);
}

}  // namespace substitute_host

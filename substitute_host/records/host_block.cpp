#include "host_block.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

namespace substitute_host {

HostBlock::HostBlock(std::string name, HostBlock* root) : name_(std::move(name)) {
  record_.root = root != nullptr ? root->record() : &record_;
  record_.name = name_.c_str();
  record_.modelName = name_.c_str();
  modelInfo_.owner = this;
  modelInfo_.info.errorBuffer = errorBuffer_.data();
  record_.modelInfo = &modelInfo_.info;
  solverInfo_.tolerances = &tolerancesRecord_;
  record_.solverInfo = &solverInfo_;
  record_.extensionMethods = &extension_;
  record_.setInputPortCount = &HostBlock::setInputPortCount;
  record_.inputPortCountContext = this;
  record_.setOutputPortCount = &HostBlock::setOutputPortCount;
  record_.outputPortCountContext = this;
  allocateSampleTimes(1);
}

HostBlock::~HostBlock() = default;

HostBlock& HostBlock::ownerOf(SimStruct* block) {
  static_assert(std::is_standard_layout_v<OwnedModelInfo>, "the model info leads back to its owner");
  return *reinterpret_cast<OwnedModelInfo*>(block->modelInfo)->owner;
}

// The host's own port-count setters: port records live in the HostBlock, not in
// memory the plug-in allocates.
int HostBlock::setInputPortCount(void* context, int32_t count) {
  HostBlock& host = *static_cast<HostBlock*>(context);
  if (count < 0) return 0;
  host.inputPorts_.assign(static_cast<std::size_t>(count), InputPortRecord{});
  host.inputDims_.assign(static_cast<std::size_t>(count), {});
  host.inputDimPointers_.assign(static_cast<std::size_t>(count), nullptr);
  host.record_.sizes.entry[kSizeInputPorts] = count;
  host.record_.inputPorts = host.inputPorts_.data();
  host.record_.inputPortCurrentDimensions = host.inputDimPointers_.data();
  return 1;
}

int HostBlock::setOutputPortCount(void* context, int32_t count) {
  HostBlock& host = *static_cast<HostBlock*>(context);
  if (count < 0) return 0;
  host.outputPorts_.assign(static_cast<std::size_t>(count), OutputPortRecord{});
  host.outputDims_.assign(static_cast<std::size_t>(count), {});
  host.outputDimPointers_.assign(static_cast<std::size_t>(count), nullptr);
  host.record_.sizes.entry[kSizeOutputPorts] = count;
  host.record_.outputPorts = host.outputPorts_.data();
  host.record_.outputPortCurrentDimensions = host.outputDimPointers_.data();
  return 1;
}

void HostBlock::allocateSignals() {
  inputSignals_.clear();
  outputSignals_.clear();
  for (InputPortRecord& port : inputPorts_) {
    inputSignals_.emplace_back(static_cast<std::size_t>(std::max(port.width, 0)), 0.0f);
    port.signal = inputSignals_.back().data();
  }
  for (OutputPortRecord& port : outputPorts_) {
    outputSignals_.emplace_back(static_cast<std::size_t>(std::max(port.width, 0)), 0.0f);
    port.signal = outputSignals_.back().data();
  }
}

void HostBlock::allocateTolerances(int count) {
  tolerances_.assign(static_cast<std::size_t>(count), 0.0);
  toleranceGiven_.assign(static_cast<std::size_t>(count), 0);
  tolerancesRecord_.absoluteTolerance = tolerances_.data();
  tolerancesRecord_.toleranceGiven = toleranceGiven_.data();
  record_.sizes.entry[kSizeContinuousStates] = count;
}

void HostBlock::setCurrentInputDimensions(int port, std::vector<int32_t> dimensions) {
  inputDims_.at(port) = std::move(dimensions);
  inputDimPointers_.at(port) = inputDims_.at(port).data();
  inputPorts_.at(port).dimensionCount = static_cast<int32_t>(inputDims_.at(port).size());
}

void HostBlock::setCurrentOutputDimensions(int port, std::vector<int32_t> dimensions) {
  outputDims_.at(port) = std::move(dimensions);
  outputDimPointers_.at(port) = outputDims_.at(port).data();
  outputPorts_.at(port).dimensionCount = static_cast<int32_t>(outputDims_.at(port).size());
}

void HostBlock::allocateSampleTimes(int count) {
  sampleTimes_.assign(static_cast<std::size_t>(count), std::numeric_limits<double>::quiet_NaN());
  offsetTimes_.assign(static_cast<std::size_t>(count), std::numeric_limits<double>::quiet_NaN());
  record_.sampleTimes = sampleTimes_.data();
  record_.offsetTimes = offsetTimes_.data();
}

}  // namespace substitute_host

#pragma once

// A block record as the host builds it for a block in a model: the SimStruct with its
// model-info, solver and root records, the host's own port-count setters, and port
// records with signal buffers. The HostBlock owns all of it; the plug-in only ever
// sees the SimStruct. The host's service entry and dimension-info services are the
// model-info record's slots, for whoever plays the host to fill.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "block_ports.h"
#include "block_record.h"

namespace substitute_host {

class HostBlock {
 public:
  // A record named `name`; its own root unless `root` names the model's root block.
  explicit HostBlock(std::string name = kBlockName, HostBlock* root = nullptr);
  ~HostBlock();
  HostBlock(const HostBlock&) = delete;
  HostBlock& operator=(const HostBlock&) = delete;

  SimStruct* record() { return &record_; }
  // The HostBlock whose record this is.
  static HostBlock& ownerOf(SimStruct* block);

  // After the size declaration: signal buffers of each port's declared width.
  void allocateSignals();
  float* inputSignal(int port) { return inputSignals_.at(port).data(); }
  float* outputSignal(int port) { return outputSignals_.at(port).data(); }

  // Solver tolerance tables for `count` continuous states.
  void allocateTolerances(int count);
  const std::vector<double>& absoluteTolerances() const { return tolerances_; }
  const std::vector<uint8_t>& toleranceMarks() const { return toleranceGiven_; }

  // Port dimension state for the current-width queries.
  void setCurrentInputDimensions(int port, std::vector<int32_t> dimensions);
  void setCurrentOutputDimensions(int port, std::vector<int32_t> dimensions);

  // Sample-time tables with `count` entries, all NaN so that writes can be seen.
  void allocateSampleTimes(int count);

  ModelInfo& modelInfo() { return modelInfo_.info; }
  ExtensionMethods& extensionMethods() { return extension_; }
  std::vector<InputPortRecord>& inputPorts() { return inputPorts_; }
  std::vector<OutputPortRecord>& outputPorts() { return outputPorts_; }
  std::vector<double>& sampleTimes() { return sampleTimes_; }
  std::vector<double>& offsetTimes() { return offsetTimes_; }
  char* errorBuffer() { return errorBuffer_.data(); }

 private:
  struct OwnedModelInfo {
    ModelInfo info;  // first member: the plug-in's pointer to it leads back here
    HostBlock* owner;
  };
  static int setInputPortCount(void* context, int32_t count);
  static int setOutputPortCount(void* context, int32_t count);

  std::string name_;
  SimStruct record_{};
  OwnedModelInfo modelInfo_{};
  SolverTolerances tolerancesRecord_{};
  SolverInfo solverInfo_{};
  ExtensionMethods extension_{};
  std::array<char, kErrorBufferSize> errorBuffer_{};
  std::vector<InputPortRecord> inputPorts_;
  std::vector<OutputPortRecord> outputPorts_;
  std::vector<std::vector<float>> inputSignals_, outputSignals_;
  std::vector<std::vector<int32_t>> inputDims_, outputDims_;
  std::vector<int32_t*> inputDimPointers_, outputDimPointers_;
  std::vector<double> tolerances_;
  std::vector<uint8_t> toleranceGiven_;
  std::vector<double> sampleTimes_, offsetTimes_;
};

}  // namespace substitute_host

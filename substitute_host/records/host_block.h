#pragma once

// A block record as the host builds it for a block in a model: the SimStruct with its
// model-info, solver and root records, the host's own port-count setters, port records
// with signal buffers, and a service entry and dimension-info services that record
// every call. The HostBlock owns all of it; the plug-in only ever sees the SimStruct.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "block_ports.h"
#include "block_record.h"

namespace substitute_host {

// One call of the host service entry. The argument block lives on the caller's stack
// only for the call: what is in it is read by serviceAnswer, which runs at the call.
struct ServiceCall {
  SimStruct* block;
  int32_t serviceId;
  int32_t argument;
  void* argumentBlock;
};

struct DimensionInfoCall {
  SimStruct* block;
  int32_t port;
  const DimensionsRecord* dimensions;
  DimensionsRecord copy;                // the record as passed
  std::vector<int32_t> dimensionValues;  // its dimensions, copied
};

class HostBlock {
 public:
  // A record named `name`; its own root unless `root` names the model's root block.
  explicit HostBlock(std::string name = kBlockName, HostBlock* root = nullptr);
  ~HostBlock();
  HostBlock(const HostBlock&) = delete;
  HostBlock& operator=(const HostBlock&) = delete;

  SimStruct* record() { return &record_; }

  // What the host offers; each can be withdrawn to see how the block copes.
  void offerServiceEntry(bool offered);
  void offerDimensionInfoServices(bool offered);
  void setPortCountAnswers(bool acceptInputs, bool acceptOutputs);
  void setHostContext(void* context) { record_.hostContext = context; }

  // Calls of the service entry and the dimension-info services, in order.
  std::vector<ServiceCall> serviceCalls;
  std::vector<DimensionInfoCall> inputDimensionCalls;
  std::vector<DimensionInfoCall> outputDimensionCalls;
  std::vector<int32_t> inputPortCountRequests;
  std::vector<int32_t> outputPortCountRequests;
  // Answers the service entry gives: run at the call, may write into the block.
  std::function<int32_t(const ServiceCall&)> serviceAnswer;
  int32_t dimensionInfoResult = 1;

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
  static HostBlock& ownerOf(SimStruct* block);
  static int32_t recordService(SimStruct*, int32_t, int32_t, void*);
  static int32_t recordInputDimensions(SimStruct*, int32_t, const DimensionsRecord*);
  static int32_t recordOutputDimensions(SimStruct*, int32_t, const DimensionsRecord*);
  static int setInputPortCount(void* context, int32_t count);
  static int setOutputPortCount(void* context, int32_t count);
  static DimensionInfoCall dimensionCall(SimStruct*, int32_t, const DimensionsRecord*);

  std::string name_;
  SimStruct record_{};
  OwnedModelInfo modelInfo_{};
  SolverTolerances tolerancesRecord_{};
  SolverInfo solverInfo_{};
  ExtensionMethods extension_{};
  std::array<char, kErrorBufferSize> errorBuffer_{};
  bool acceptInputCount_ = true, acceptOutputCount_ = true;
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

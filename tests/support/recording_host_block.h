#pragma once

// A test double of the host's block record: a HostBlock whose service entry,
// dimension-info services and port-count setters record every call, answer as the
// test sets them, and can be withdrawn to see how the block copes.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "records/host_block.h"

namespace test_doubles {

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

class RecordingHostBlock : public substitute_host::HostBlock {
 public:
  // Offers the service entry and the dimension-info services, and accepts port counts.
  explicit RecordingHostBlock(std::string name = kBlockName, HostBlock* root = nullptr);

  void offerServiceEntry(bool offered);
  void offerDimensionInfoServices(bool offered);
  void setPortCountAnswers(bool acceptInputs, bool acceptOutputs);
  void setHostContext(void* context) { record()->hostContext = context; }

  // Calls of the service entry, the dimension-info services and the port-count
  // setters, in order.
  std::vector<ServiceCall> serviceCalls;
  std::vector<DimensionInfoCall> inputDimensionCalls;
  std::vector<DimensionInfoCall> outputDimensionCalls;
  std::vector<int32_t> inputPortCountRequests;
  std::vector<int32_t> outputPortCountRequests;
  // Answers the service entry gives: run at the call, may write into the block.
  std::function<int32_t(const ServiceCall&)> serviceAnswer;
  int32_t dimensionInfoResult = 1;

 private:
  using PortCountSetter = int (*)(void* context, int32_t count);
  static RecordingHostBlock& recorderOf(SimStruct* block);
  static int32_t recordService(SimStruct*, int32_t, int32_t, void*);
  static int32_t recordInputDimensions(SimStruct*, int32_t, const DimensionsRecord*);
  static int32_t recordOutputDimensions(SimStruct*, int32_t, const DimensionsRecord*);
  static int recordInputPortCount(void* context, int32_t count);
  static int recordOutputPortCount(void* context, int32_t count);

  bool acceptInputCount_ = true, acceptOutputCount_ = true;
  // The host's own setters, which an accepted count goes on to.
  PortCountSetter hostInputSetter_, hostOutputSetter_;
  void* hostInputContext_;
  void* hostOutputContext_;
};

}  // namespace test_doubles

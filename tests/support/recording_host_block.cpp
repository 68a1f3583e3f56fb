#include "recording_host_block.h"

namespace test_doubles {

RecordingHostBlock::RecordingHostBlock(std::string name, HostBlock* root)
    : HostBlock(std::move(name), root),
      hostInputSetter_(record()->setInputPortCount),
      hostOutputSetter_(record()->setOutputPortCount),
      hostInputContext_(record()->inputPortCountContext),
      hostOutputContext_(record()->outputPortCountContext) {
  record()->setInputPortCount = &recordInputPortCount;
  record()->inputPortCountContext = this;
  record()->setOutputPortCount = &recordOutputPortCount;
  record()->outputPortCountContext = this;
  offerServiceEntry(true);
  offerDimensionInfoServices(true);
}

RecordingHostBlock& RecordingHostBlock::recorderOf(SimStruct* block) {
  return static_cast<RecordingHostBlock&>(HostBlock::ownerOf(block));
}

void RecordingHostBlock::offerServiceEntry(bool offered) {
  modelInfo().service = offered ? &recordService : nullptr;
}

void RecordingHostBlock::offerDimensionInfoServices(bool offered) {
  modelInfo().setInputPortDimensionInfo = offered ? &recordInputDimensions : nullptr;
  modelInfo().setOutputPortDimensionInfo = offered ? &recordOutputDimensions : nullptr;
}

void RecordingHostBlock::setPortCountAnswers(bool acceptInputs, bool acceptOutputs) {
  acceptInputCount_ = acceptInputs;
  acceptOutputCount_ = acceptOutputs;
}

int32_t RecordingHostBlock::recordService(SimStruct* block, int32_t id, int32_t argument,
                                          void* data) {
  RecordingHostBlock& host = recorderOf(block);
  const ServiceCall call{block, id, argument, data};
  host.serviceCalls.push_back(call);
  return host.serviceAnswer ? host.serviceAnswer(call) : 0;
}

static DimensionInfoCall dimensionCall(SimStruct* block, int32_t port,
                                       const DimensionsRecord* dimensions) {
  DimensionInfoCall call{block, port, dimensions, {}, {}};
  if (dimensions != nullptr) {
    call.copy = *dimensions;
    if (dimensions->dimensions != nullptr)
      for (int32_t i = 0; i < dimensions->dimensionCount; ++i)
        call.dimensionValues.push_back(dimensions->dimensions[i]);
  }
  return call;
}

int32_t RecordingHostBlock::recordInputDimensions(SimStruct* block, int32_t port,
                                                  const DimensionsRecord* dimensions) {
  RecordingHostBlock& host = recorderOf(block);
  host.inputDimensionCalls.push_back(dimensionCall(block, port, dimensions));
  return host.dimensionInfoResult;
}

int32_t RecordingHostBlock::recordOutputDimensions(SimStruct* block, int32_t port,
                                                   const DimensionsRecord* dimensions) {
  RecordingHostBlock& host = recorderOf(block);
  host.outputDimensionCalls.push_back(dimensionCall(block, port, dimensions));
  return host.dimensionInfoResult;
}

int RecordingHostBlock::recordInputPortCount(void* context, int32_t count) {
  auto& host = *static_cast<RecordingHostBlock*>(context);
  host.inputPortCountRequests.push_back(count);
  return host.acceptInputCount_ ? host.hostInputSetter_(host.hostInputContext_, count) : 0;
}

int RecordingHostBlock::recordOutputPortCount(void* context, int32_t count) {
  auto& host = *static_cast<RecordingHostBlock*>(context);
  host.outputPortCountRequests.push_back(count);
  return host.acceptOutputCount_ ? host.hostOutputSetter_(host.hostOutputContext_, count) : 0;
}

}  // namespace test_doubles

#include "prepared_block.h"

namespace substitute_host {

std::array<double, kRecordHandleRows> recordHandle(const SimStruct* record, double stamp) {
  std::array<double, kRecordHandleRows> handle{};
  handle[kRecordHandleLow] = recordHandleLow(record);
  handle[kRecordHandleHigh] = recordHandleHigh(record);
  handle[kRecordHandleStamp] = stamp;
  return handle;
}

bool PreparedBlock::declaredThePortMap() const {
  const auto& inputs = block_->inputPorts();
  const auto& outputs = block_->outputPorts();
  if (inputs.size() != kInputPorts.size() || outputs.size() != kOutputPorts.size()) return false;
  for (const BlockPort& port : kInputPorts)
    if (inputs[port.index].width != port.width) return false;
  for (const BlockPort& port : kOutputPorts)
    if (outputs[port.index].width != port.width) return false;
  return true;
}

bool PreparedBlock::open(const GatewayAccess& access, std::string& error) {
  access_ = access;
  block_ = std::make_unique<HostBlock>();
  SimStruct* record = block_->record();
  if (!access.install(access.context, recordHandle(record), error)) return false;
  if (!declaredThePortMap()) {
    error = "the plug-in did not declare nine inputs and two outputs of the block's widths";
    return false;
  }
  block_->allocateSignals();
  access.sendFlag(access.context, record, kHostFlagDeclareSampleTimes);
  if (record->methods.start != nullptr) record->methods.start(record);
  if (const char* status = record->errorStatus) {
    error = std::string("the plug-in reported an error while starting: ") + status;
    return false;
  }
  return true;
}

// The host decides where a port's signal lives; here it is the loop's buffer. Setting
// the eleven pointers costs no more than comparing them.
void PreparedBlock::step(StepVia via, const float* const inputs[kInputPortCount],
                         float* const outputs[kOutputPortCount]) {
  SimStruct* record = block_->record();
  // The port arrays' addresses read once: a store through one of them could otherwise
  // be taken to move them, and every store would read them again.
  InputPortRecord* const in = record->inputPorts;
  OutputPortRecord* const out = record->outputPorts;
  for (int32_t port = 0; port < kInputPortCount; ++port) in[port].signal = inputs[port];
  for (int32_t port = 0; port < kOutputPortCount; ++port) out[port].signal = outputs[port];
  if (via == StepVia::slot)
    record->methods.outputs(record, kTaskIdMajorStep);
  else
    access_.sendFlag(access_.context, record, kHostFlagOutputs);
}

}  // namespace substitute_host

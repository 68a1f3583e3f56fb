#include "block_methods.h"
#include "block_ports.h"
#include "host_numbering.h"

namespace {
int32_t& sizeEntry(SimStruct* block, int index) { return block->sizes.entry[index]; }

void setFlagsField(SimStruct* block, uint32_t mask, uint32_t value) {
  const uint32_t flags = static_cast<uint32_t>(sizeEntry(block, kSizeFlags));
  sizeEntry(block, kSizeFlags) = static_cast<int32_t>((flags & ~mask) | value);
}

constexpr char kTargetVersion[] = "10.1";

void declareInputPorts(SimStruct* block) {
  for (const BlockPort& port : kInputPorts) {
    InputPortRecord& input = block->inputPorts[port.index];
    input.width = port.width;
    input.dataType = kDataTypeSingle;
    input.complexity = 0;
    input.directFeedThrough = 1;
    input.contiguousRequired = 1;
  }
}

void declareOutputPorts(SimStruct* block) {
  for (const BlockPort& port : kOutputPorts) {
    OutputPortRecord& output = block->outputPorts[port.index];
    output.width = port.width;
    output.dataType = kDataTypeSingle;
    output.complexity = 0;
  }
}
}  // namespace

void mdlDeclareSizes(SimStruct* block) {
  sizeEntry(block, kSizeExpectedDialogParameters) = 0;
  // A mismatch in dialog parameters is the host's to report.
  if (block->dialogParameterCount != 0) return;

  sizeEntry(block, kSizeContinuousStates) = 0;
  sizeEntry(block, kSizeDiscreteStates) = 0;
  block->attributes = static_cast<uint8_t>((block->attributes & ~kBlockAttributeMask) | 1);
  setFlagsField(block, kFlagBlockAttributeMask, kFlagBlockAttributeOne);

  if (block->setInputPortCount(block->inputPortCountContext, kInputPortCount) == 0) return;
  declareInputPorts(block);
  if (block->setOutputPortCount(block->outputPortCountContext, kOutputPortCount) == 0) return;
  declareOutputPorts(block);

  sizeEntry(block, kSizePointerWork) = 0;
  sizeEntry(block, kSizeSampleTimes) = 1;
  sizeEntry(block, kSizeRealWork) = 0;
  sizeEntry(block, kSizeIntegerWork) = 0;
  sizeEntry(block, kSizeDeclaredZeroB) = 0;
  sizeEntry(block, kSizeDeclaredZeroA) = 0;

  if (HostServiceEntry service = block->modelInfo->service)
    service(block, kServiceRegisterVersion, 0, const_cast<char*>(kTargetVersion));

  sizeEntry(block, kSizeOptions) = static_cast<int32_t>(kDeclaredOptions);
}

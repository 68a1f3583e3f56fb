#include "block_methods.h"
#include "port_table.h"

namespace {
int32_t& sizeEntry(SimStruct* block, int index) { return block->sizes.entry[index]; }

void setFlagsField(SimStruct* block, uint32_t mask, uint32_t value) {
  const uint32_t flags = static_cast<uint32_t>(sizeEntry(block, kSizeFlags));
  sizeEntry(block, kSizeFlags) = static_cast<int32_t>((flags & ~mask) | value);
}

constexpr char kTargetVersion[] = "10.1";
constexpr int32_t kServiceRegisterVersion = 299;
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
  for (int32_t port = 0; port < kInputPortCount; ++port) {
    InputPortRecord& input = block->inputPorts[port];
    input.width = kInputPortWidths[port];
    input.dataType = kDataTypeSingle;
    input.complexity = 0;
    input.directFeedThrough = 1;
    input.contiguousRequired = 1;
  }

  if (block->setOutputPortCount(block->outputPortCountContext, kOutputPortCount) == 0) return;
  for (int32_t port = 0; port < kOutputPortCount; ++port) {
    OutputPortRecord& output = block->outputPorts[port];
    output.width = kOutputPortWidth;
    output.dataType = kDataTypeSingle;
    output.complexity = 0;
  }

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

#include "block_methods.h"
#include "matrix_api.h"

namespace {
template <typename PortRecord>
int registerPortCount(void* context, int32_t count, int sizeIndex, PortRecord*& ports) {
  if (count < 0) return 0;
  SimStruct* block = static_cast<SimStruct*>(context);
  block->sizes.entry[kSizeFlags] |= kFlagPortCountsRegistered;
  block->sizes.entry[sizeIndex] = count;
  // The host reclaims mxCalloc memory when the query returns.
  if (count > 0)
    ports = static_cast<PortRecord*>(mxCalloc(static_cast<size_t>(count), sizeof(PortRecord)));
  return 1;
}
}  // namespace

int registerInputPortCount(void* context, int32_t count) {
  SimStruct* block = static_cast<SimStruct*>(context);
  return registerPortCount(context, count, kSizeInputPorts, block->inputPorts);
}

int registerOutputPortCount(void* context, int32_t count) {
  SimStruct* block = static_cast<SimStruct*>(context);
  return registerPortCount(context, count, kSizeOutputPorts, block->outputPorts);
}

#include "private_record.h"

#include "block_method_table.h"
#include "block_ports.h"

namespace {
template <typename Record>
Record* zeroFilled(size_t count = 1) {
  return static_cast<Record*>(mxCalloc(count, sizeof(Record)));
}
}  // namespace

SimStruct* buildPrivateRecord(int32_t dialogParameterCount,
                              const mxArray* const* dialogParameters) {
  SimStruct* block = zeroFilled<SimStruct>();
  block->root = block;
  block->modelInfo = zeroFilled<ModelInfo>();
  block->modelInfo->errorBuffer = zeroFilled<char>(kErrorBufferSize);
  block->solverInfo = zeroFilled<SolverInfo>();
  block->solverInfo->tolerances = zeroFilled<SolverTolerances>();
  block->name = kBlockName;
  block->modelName = kBlockName;
  block->dialogParameterCount = dialogParameterCount;
  if (dialogParameterCount > 0) {
    block->dialogParameters = zeroFilled<const mxArray*>(static_cast<size_t>(dialogParameterCount));
    for (int32_t i = 0; i < dialogParameterCount; ++i)
      block->dialogParameters[i] = dialogParameters[i];
  }
  block->setInputPortCount = kBlockMethodTable.registerInputPortCount;
  block->inputPortCountContext = block;
  block->setOutputPortCount = kBlockMethodTable.registerOutputPortCount;
  block->outputPortCountContext = block;
  return block;
}

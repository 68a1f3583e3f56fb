#include "method_installation.h"

#include "block_method_table.h"

void installBlockMethods(SimStruct* block) {
  const BlockMethodTable& table = kBlockMethodTable;
  MethodSlots& slots = block->methods;
  slots.declareSizes = table.declareSizes;
  slots.inputPortDimensions.dimensionInfo = table.setInputPortDimensionInfo;
  slots.outputPortDimensions.dimensionInfo = table.setOutputPortDimensionInfo;
  slots.setInputPortDataType = table.setInputPortDataType;
  slots.setOutputPortDataType = table.setOutputPortDataType;
  // A host record without an extension record has no slot for this one.
  if (block->extensionMethods != nullptr)
    block->extensionMethods->setDefaultPortDataTypes = table.setDefaultPortDataTypes;
  slots.declareSampleTimes = table.declareSampleTimes;
  slots.start = table.start;
  slots.timeOfNextVarHit = table.rejectNextVarHit;
  slots.outputs = table.computeOutputs;
  slots.zeroCrossings = table.rejectZeroCrossings;
  slots.afterZeroCrossings = table.afterZeroCrossings;
}

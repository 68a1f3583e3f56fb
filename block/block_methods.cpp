#include "block_methods.h"

#include "control/drive_step.h"
#include "host/diagnostics.h"
#include "host/error_reporting.h"
#include "port_table.h"

void mdlDeclareSampleTimes(SimStruct* block) {
  block->sampleTimes[0] = -1.0;  // inherited
  const uint32_t flags = static_cast<uint32_t>(block->sizes.entry[kSizeFlags]);
  block->sizes.entry[kSizeFlags] =
      static_cast<int32_t>((flags & ~kFlagSampleTimeOptionMask) | kFlagSampleTimeOptionOne);
  block->offsetTimes[0] = 0.0;
}

// The block keeps no dimension logic: whatever the host's own service accepts stands.
int32_t mdlSetInputPortDimensionInfo(SimStruct* block, int32_t port,
                                     const DimensionsRecord* dimensions) {
  DimensionInfoService service = block->modelInfo->setInputPortDimensionInfo;
  return service != nullptr ? service(block, port, dimensions) : 0;
}

int32_t mdlSetOutputPortDimensionInfo(SimStruct* block, int32_t port,
                                      const DimensionsRecord* dimensions) {
  DimensionInfoService service = block->modelInfo->setOutputPortDimensionInfo;
  return service != nullptr ? service(block, port, dimensions) : 0;
}

// The data type methods act on port 0 whatever port the host names.
void mdlSetInputPortDataType(SimStruct* block, int32_t, int32_t dataType) {
  block->inputPorts[0].dataType = dataType;
}

void mdlSetOutputPortDataType(SimStruct* block, int32_t, int32_t dataType) {
  block->outputPorts[0].dataType = dataType;
}

void mdlSetDefaultPortDataTypes(SimStruct* block) {
  block->inputPorts[0].dataType = kDataTypeDouble;
  block->outputPorts[0].dataType = kDataTypeDouble;
}

void mdlStart(SimStruct*) {}

// The output step: the host's port buffers go straight to the controller.
void mdlComputeOutputs(SimStruct* block, int32_t) {
  const InputPortRecord* in = block->inputPorts;
  auto input = [in](int port) { return static_cast<const float*>(in[port].signal); };
  driveOutputs(input(0), input(1), input(2), input(3), input(4), input(5), input(6), input(7),
               input(8), static_cast<float*>(block->outputPorts[0].signal),
               static_cast<float*>(block->outputPorts[1].signal));
}

void mdlRejectNextVarHit(SimStruct* block) { reportBlockError(block, kDiagNoTimeOfNextVarHit); }

void mdlRejectZeroCrossings(SimStruct* block) { reportBlockError(block, kDiagNoZeroCrossings); }

void mdlDoNothing(SimStruct*) {}

void installBlockMethods(SimStruct* block) {
  MethodSlots& slots = block->methods;
  slots.declareSizes = mdlDeclareSizes;
  slots.inputPortDimensions.dimensionInfo = mdlSetInputPortDimensionInfo;
  slots.outputPortDimensions.dimensionInfo = mdlSetOutputPortDimensionInfo;
  slots.setInputPortDataType = mdlSetInputPortDataType;
  slots.setOutputPortDataType = mdlSetOutputPortDataType;
  if (block->extensionMethods != nullptr)
    block->extensionMethods->setDefaultPortDataTypes = mdlSetDefaultPortDataTypes;
  slots.declareSampleTimes = mdlDeclareSampleTimes;
  slots.start = mdlStart;
  slots.timeOfNextVarHit = mdlRejectNextVarHit;
  slots.outputs = mdlComputeOutputs;
  slots.zeroCrossings = mdlRejectZeroCrossings;
  slots.afterZeroCrossings = mdlDoNothing;
}

#pragma once

// The Corvalent2 block's methods, as the host calls them through the block record.

#include "block_record.h"

void mdlDeclareSizes(SimStruct* block);
void mdlDeclareSampleTimes(SimStruct* block);
int32_t mdlSetInputPortDimensionInfo(SimStruct* block, int32_t port,
                                     const DimensionsRecord* dimensions);
int32_t mdlSetOutputPortDimensionInfo(SimStruct* block, int32_t port,
                                      const DimensionsRecord* dimensions);
void mdlSetInputPortDataType(SimStruct* block, int32_t port, int32_t dataType);
void mdlSetOutputPortDataType(SimStruct* block, int32_t port, int32_t dataType);
void mdlSetDefaultPortDataTypes(SimStruct* block);
void mdlStart(SimStruct* block);
void mdlComputeOutputs(SimStruct* block, int32_t taskId);
void mdlRejectNextVarHit(SimStruct* block);
void mdlRejectZeroCrossings(SimStruct* block);
void mdlDoNothing(SimStruct* block);

// Port-count setters of a record that the plug-in builds itself; the context is the
// record. 1 accepted, 0 refused.
int registerInputPortCount(void* context, int32_t count);
int registerOutputPortCount(void* context, int32_t count);

#pragma once

// The block record's method slots, through which the host calls the block's methods,
// and the extension method record that holds the rarer ones. An empty slot is null.

#include <stdint.h>

#include "dimensions_record.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct SimStruct SimStruct;

typedef void (*BlockMethod)(SimStruct* block);
typedef void (*OutputMethod)(SimStruct* block, int32_t taskId);
typedef void (*PortValueMethod)(SimStruct* block, int32_t port, int32_t value);
typedef void (*PortSampleTimeMethod)(SimStruct* block, int32_t port, double period,
                                     double offset);
typedef int32_t (*PortDimensionInfoMethod)(SimStruct* block, int32_t port,
                                           const DimensionsRecord* dimensions);
typedef void (*PropagationPassMethod)(SimStruct* block, int32_t argument);

// A port-dimension slot holds a width method or, once the record's dimension-methods
// flag is set, a dimension-info method.
typedef union PortDimensionSlot {
  PortValueMethod width;
  PortDimensionInfoMethod dimensionInfo;
} PortDimensionSlot;

typedef struct MethodSlots {
  BlockMethod declareSizes;
  PortDimensionSlot inputPortDimensions;
  PortDimensionSlot outputPortDimensions;
  PortValueMethod setInputPortDataType;
  PortValueMethod setOutputPortDataType;
  PortValueMethod setInputPortComplexSignal;
  PortValueMethod setOutputPortComplexSignal;
  PortSampleTimeMethod setInputPortSampleTime;
  PortSampleTimeMethod setOutputPortSampleTime;
  BlockMethod declareSampleTimes;
  BlockMethod setWorkWidths;
  BlockMethod checkParameters;
  BlockMethod start;
  BlockMethod timeOfNextVarHit;
  OutputMethod outputs;
  BlockMethod zeroCrossings;
  BlockMethod afterZeroCrossings;  // the slot that directly follows the zero-crossing slot
  BlockMethod terminate;
} MethodSlots;

typedef struct SymbolicDimensionsMethods {
  PortValueMethod input;
  PortValueMethod output;
} SymbolicDimensionsMethods;

typedef struct ExtensionMethods {
  PortValueMethod setInputPortFrameData;
  BlockMethod setDefaultPortDimensionInfo;
  BlockMethod setDefaultPortDataTypes;
  BlockMethod setDefaultPortComplexSignals;
  PropagationPassMethod initializePropagationPass;
  const SymbolicDimensionsMethods* symbolicDimensions;
} ExtensionMethods;

#ifdef __cplusplus
}
#endif

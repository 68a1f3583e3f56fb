#pragma once

// The block record's method slots, through which the host calls the block's methods,
// and the extension method record that holds the rarer ones. An empty slot is null.

#include <stdint.h>

#include "dimensions_record.h"
#include "layout_pin.h"

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

HOST_PIN_SIZE(PortDimensionSlot, 8);

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

HOST_PIN_OFFSET(MethodSlots, declareSizes, 0);
HOST_PIN_OFFSET(MethodSlots, inputPortDimensions, 8);
HOST_PIN_OFFSET(MethodSlots, outputPortDimensions, 16);
HOST_PIN_OFFSET(MethodSlots, setInputPortDataType, 24);
HOST_PIN_OFFSET(MethodSlots, setOutputPortDataType, 32);
HOST_PIN_OFFSET(MethodSlots, setInputPortComplexSignal, 40);
HOST_PIN_OFFSET(MethodSlots, setOutputPortComplexSignal, 48);
HOST_PIN_OFFSET(MethodSlots, setInputPortSampleTime, 56);
HOST_PIN_OFFSET(MethodSlots, setOutputPortSampleTime, 64);
HOST_PIN_OFFSET(MethodSlots, declareSampleTimes, 72);
HOST_PIN_OFFSET(MethodSlots, setWorkWidths, 80);
HOST_PIN_OFFSET(MethodSlots, checkParameters, 88);
HOST_PIN_OFFSET(MethodSlots, start, 96);
HOST_PIN_OFFSET(MethodSlots, timeOfNextVarHit, 104);
HOST_PIN_OFFSET(MethodSlots, outputs, 112);
HOST_PIN_OFFSET(MethodSlots, zeroCrossings, 120);
HOST_PIN_OFFSET(MethodSlots, afterZeroCrossings, 128);
HOST_PIN_OFFSET(MethodSlots, terminate, 136);
HOST_PIN_SIZE(MethodSlots, 144);

typedef struct SymbolicDimensionsMethods {
  PortValueMethod input;
  PortValueMethod output;
} SymbolicDimensionsMethods;

HOST_PIN_OFFSET(SymbolicDimensionsMethods, input, 0);
HOST_PIN_OFFSET(SymbolicDimensionsMethods, output, 8);
HOST_PIN_SIZE(SymbolicDimensionsMethods, 16);

typedef struct ExtensionMethods {
  PortValueMethod setInputPortFrameData;
  BlockMethod setDefaultPortDimensionInfo;
  BlockMethod setDefaultPortDataTypes;
  BlockMethod setDefaultPortComplexSignals;
  PropagationPassMethod initializePropagationPass;
  const SymbolicDimensionsMethods* symbolicDimensions;
} ExtensionMethods;

HOST_PIN_OFFSET(ExtensionMethods, setInputPortFrameData, 0);
HOST_PIN_OFFSET(ExtensionMethods, setDefaultPortDimensionInfo, 8);
HOST_PIN_OFFSET(ExtensionMethods, setDefaultPortDataTypes, 16);
HOST_PIN_OFFSET(ExtensionMethods, setDefaultPortComplexSignals, 24);
HOST_PIN_OFFSET(ExtensionMethods, initializePropagationPass, 32);
HOST_PIN_OFFSET(ExtensionMethods, symbolicDimensions, 40);
HOST_PIN_SIZE(ExtensionMethods, 48);

#ifdef __cplusplus
}
#endif

#pragma once

// The model-info record that every block record reaches: the host's error buffer, its
// generic service entry, the port dimension-info services, the code-generation writers
// and the values the host proposes to a port action.

#include <stdint.h>

#include "dimensions_record.h"
#include "host_numbering.h"
#include "layout_pin.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct SimStruct SimStruct;

typedef int32_t (*HostServiceEntry)(SimStruct* block, int32_t serviceId, int32_t argument,
                                    void* argumentBlock);
typedef int32_t (*DimensionInfoService)(SimStruct* block, int32_t port,
                                        const DimensionsRecord* dimensions);

typedef int (*TextWriter)(void* context, const char* text, const void* second,
                          const void* third);
typedef int (*PairWriter)(void* context, int typeCode, const char* name, const void* value,
                          int32_t dataTypeWord, int32_t rows, int32_t columns);
typedef int (*ParameterWriter)(void* context, int typeCode, const char* name,
                               const char* parameterText, const void* data,
                               int32_t dataTypeWord, int32_t rows, int32_t columns);

typedef struct ModelInfo {
  char* errorBuffer;  // kErrorBufferSize bytes for messages formatted at run time
  uint8_t flags;
  HostServiceEntry service;
  DimensionInfoService setInputPortDimensionInfo;
  DimensionInfoService setOutputPortDimensionInfo;
  void* writerContext;
  TextWriter writeText;
  PairWriter writePair;
  ParameterWriter writeParameter;
  int32_t proposedPortValue;
  double proposedSampleTime[2];  // period, offset
  const DimensionsRecord* proposedDimensions;
} ModelInfo;

HOST_PIN_OFFSET(ModelInfo, errorBuffer, 0);
HOST_PIN_OFFSET(ModelInfo, flags, 8);
HOST_PIN_OFFSET(ModelInfo, service, 16);
HOST_PIN_OFFSET(ModelInfo, setInputPortDimensionInfo, 24);
HOST_PIN_OFFSET(ModelInfo, setOutputPortDimensionInfo, 32);
HOST_PIN_OFFSET(ModelInfo, writerContext, 40);
HOST_PIN_OFFSET(ModelInfo, writeText, 48);
HOST_PIN_OFFSET(ModelInfo, writePair, 56);
HOST_PIN_OFFSET(ModelInfo, writeParameter, 64);
HOST_PIN_OFFSET(ModelInfo, proposedPortValue, 72);
HOST_PIN_OFFSET(ModelInfo, proposedSampleTime, 80);
HOST_PIN_OFFSET(ModelInfo, proposedDimensions, 96);
HOST_PIN_SIZE(ModelInfo, 104);

#ifdef __cplusplus
}
#endif

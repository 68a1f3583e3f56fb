#pragma once

// The model-info record that every block record reaches: the host's error buffer, its
// generic service entry, the port dimension-info services, the code-generation writers
// and the values the host proposes to a port action.

#include <stdint.h>

#include "dimensions_record.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct SimStruct SimStruct;

enum { kErrorBufferSize = 1024 };
enum { kModelFlagErrorKind = 0x10 };  // cleared whenever an error message is stored

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

#ifdef __cplusplus
}
#endif

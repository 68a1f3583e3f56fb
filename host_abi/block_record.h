#pragma once

// The block record (the host's SimStruct) as this plug-in sees it: the roles it reads
// and writes, laid out once here. A host with another layout changes this folder only.

#include <stdint.h>

#include "layout_pin.h"
#include "matrix_api.h"
#include "method_slots.h"
#include "model_info.h"
#include "port_records.h"
#include "size_record.h"
#include "solver_info.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct SimStruct SimStruct;
typedef int (*PortCountSetter)(void* context, int32_t count);  // 1 accepted, 0 refused

enum { kBlockAttributeMask = 0x7 };  // the three-bit block attribute of `attributes`

struct SimStruct {
  SimStruct* root;          // the model's root record, which receives every error
  const char* errorStatus;  // on a root record: the error message, null when none
  const char* path;         // block path, null when absent
  const char* name;         // first name field: the S-function's name
  const char* modelName;    // second name field
  ModelInfo* modelInfo;
  SolverInfo* solverInfo;
  void* hostContext;        // host-owned; null in a private record
  SizeRecord sizes;
  uint8_t attributes;
  int32_t dialogParameterCount;  // dialog parameters actually passed
  const mxArray** dialogParameters;
  PortCountSetter setInputPortCount;
  void* inputPortCountContext;
  PortCountSetter setOutputPortCount;
  void* outputPortCountContext;
  InputPortRecord* inputPorts;
  OutputPortRecord* outputPorts;
  int32_t** inputPortCurrentDimensions;   // per input port: its current dimensions
  int32_t** outputPortCurrentDimensions;  // per output port
  double* sampleTimes;
  double* offsetTimes;
  MethodSlots methods;
  ExtensionMethods* extensionMethods;
};

HOST_PIN_OFFSET(SimStruct, root, 0);
HOST_PIN_OFFSET(SimStruct, errorStatus, 8);
HOST_PIN_OFFSET(SimStruct, path, 16);
HOST_PIN_OFFSET(SimStruct, name, 24);
HOST_PIN_OFFSET(SimStruct, modelName, 32);
HOST_PIN_OFFSET(SimStruct, modelInfo, 40);
HOST_PIN_OFFSET(SimStruct, solverInfo, 48);
HOST_PIN_OFFSET(SimStruct, hostContext, 56);
HOST_PIN_OFFSET(SimStruct, sizes, 64);
HOST_PIN_OFFSET(SimStruct, attributes, 224);
HOST_PIN_OFFSET(SimStruct, dialogParameterCount, 228);
HOST_PIN_OFFSET(SimStruct, dialogParameters, 232);
HOST_PIN_OFFSET(SimStruct, setInputPortCount, 240);
HOST_PIN_OFFSET(SimStruct, inputPortCountContext, 248);
HOST_PIN_OFFSET(SimStruct, setOutputPortCount, 256);
HOST_PIN_OFFSET(SimStruct, outputPortCountContext, 264);
HOST_PIN_OFFSET(SimStruct, inputPorts, 272);
HOST_PIN_OFFSET(SimStruct, outputPorts, 280);
HOST_PIN_OFFSET(SimStruct, inputPortCurrentDimensions, 288);
HOST_PIN_OFFSET(SimStruct, outputPortCurrentDimensions, 296);
HOST_PIN_OFFSET(SimStruct, sampleTimes, 304);
HOST_PIN_OFFSET(SimStruct, offsetTimes, 312);
HOST_PIN_OFFSET(SimStruct, methods, 320);
HOST_PIN_OFFSET(SimStruct, extensionMethods, 464);
HOST_PIN_SIZE(SimStruct, 472);

#ifdef __cplusplus
}
#endif

#pragma once

// The block record (the host's SimStruct) as this plug-in sees it: the roles it reads
// and writes, laid out once here. A host with another layout changes this folder only.

#include <stdint.h>

#include "matrix_api.h"
#include "method_slots.h"
#include "model_info.h"
#include "port_records.h"
#include "size_record.h"
#include "solver_info.h"

#ifdef __cplusplus
extern "C" {
#endif

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

#ifdef __cplusplus
}
#endif

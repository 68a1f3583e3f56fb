#pragma once

// The host's per-port records. The host allocates them (the private record of a
// command-line query gets them from mxCalloc) and owns their signal buffers.

#include <stdint.h>

#include "layout_pin.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct InputPortRecord {
  int32_t width;
  int32_t directFeedThrough;
  int32_t dataType;
  int32_t complexity;
  uint8_t contiguousRequired;  // the signal must arrive as one array behind `signal`
  const void* signal;
  int32_t dimensionCount;
  int32_t dimensionsMode;  // zero: `width` applies; otherwise the current dimensions do
} InputPortRecord;

HOST_PIN_OFFSET(InputPortRecord, width, 0);
HOST_PIN_OFFSET(InputPortRecord, directFeedThrough, 4);
HOST_PIN_OFFSET(InputPortRecord, dataType, 8);
HOST_PIN_OFFSET(InputPortRecord, complexity, 12);
HOST_PIN_OFFSET(InputPortRecord, contiguousRequired, 16);
HOST_PIN_OFFSET(InputPortRecord, signal, 24);
HOST_PIN_OFFSET(InputPortRecord, dimensionCount, 32);
HOST_PIN_OFFSET(InputPortRecord, dimensionsMode, 36);
HOST_PIN_SIZE(InputPortRecord, 40);

typedef struct OutputPortRecord {
  int32_t width;
  int32_t dataType;
  int32_t complexity;
  void* signal;
  int32_t dimensionCount;
  int32_t dimensionsMode;
} OutputPortRecord;

HOST_PIN_OFFSET(OutputPortRecord, width, 0);
HOST_PIN_OFFSET(OutputPortRecord, dataType, 4);
HOST_PIN_OFFSET(OutputPortRecord, complexity, 8);
HOST_PIN_OFFSET(OutputPortRecord, signal, 16);
HOST_PIN_OFFSET(OutputPortRecord, dimensionCount, 24);
HOST_PIN_OFFSET(OutputPortRecord, dimensionsMode, 28);
HOST_PIN_SIZE(OutputPortRecord, 32);

#ifdef __cplusplus
}
#endif

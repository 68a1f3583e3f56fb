#pragma once

// The host's per-port records. The host allocates them (the private record of a
// command-line query gets them from mxCalloc) and owns their signal buffers.

#include <stdint.h>

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

typedef struct OutputPortRecord {
  int32_t width;
  int32_t dataType;
  int32_t complexity;
  void* signal;
  int32_t dimensionCount;
  int32_t dimensionsMode;
} OutputPortRecord;

#ifdef __cplusplus
}
#endif

#pragma once

// The host's description of a port's dimensions, passed to its dimension-info services.

#include <stdint.h>

#include "layout_pin.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct DimensionsRecord {
  int32_t width;
  int32_t dimensionCount;
  int32_t* dimensions;
  const struct DimensionsRecord* further;
} DimensionsRecord;

HOST_PIN_OFFSET(DimensionsRecord, width, 0);
HOST_PIN_OFFSET(DimensionsRecord, dimensionCount, 4);
HOST_PIN_OFFSET(DimensionsRecord, dimensions, 8);
HOST_PIN_OFFSET(DimensionsRecord, further, 16);
HOST_PIN_SIZE(DimensionsRecord, 24);

#ifdef __cplusplus
}
#endif

#pragma once

// The host's description of a port's dimensions, passed to its dimension-info services.

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct DimensionsRecord {
  int32_t width;
  int32_t dimensionCount;
  int32_t* dimensions;
  const struct DimensionsRecord* further;
} DimensionsRecord;

#ifdef __cplusplus
}
static_assert(offsetof(DimensionsRecord, width) == 0);
static_assert(offsetof(DimensionsRecord, dimensionCount) == 4);
static_assert(offsetof(DimensionsRecord, dimensions) == 8);
static_assert(offsetof(DimensionsRecord, further) == 16);
#endif

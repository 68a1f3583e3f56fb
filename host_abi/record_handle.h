#pragma once

// The record handle: how the host names a block record in the second argument of an
// installing call. A real double array of three rows: the low and the high 32 bits of
// the record's address, each as a signed 32-bit value, then the version stamp.

#include <stdint.h>

#include "host_numbering.h"

#ifdef __cplusplus
extern "C" {
#endif

enum { kRecordHandleRows = 3, kRecordHandleLow = 0, kRecordHandleHigh = 1, kRecordHandleStamp = 2 };

static inline int32_t recordHandleLow(const void* record) {
  return (int32_t)(uint32_t)((uint64_t)(uintptr_t)record & 0xFFFFFFFFu);
}

static inline int32_t recordHandleHigh(const void* record) {
  return (int32_t)(uint32_t)((uint64_t)(uintptr_t)record >> 32);
}

// The address whose halves are `low` and `high`.
static inline void* recordOfHandleHalves(int32_t low, int32_t high) {
  const uint64_t address = ((uint64_t)(uint32_t)high << 32) | (uint64_t)(uint32_t)low;
  return (void*)(uintptr_t)address;
}

#ifdef __cplusplus
}
#endif

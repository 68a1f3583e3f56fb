#pragma once

// Calling the host's generic service entry (modelInfo->service). A service gets the
// block record, its id, an integer argument and an argument block: a small record on
// the caller's stack that holds the inputs and receives the answer, laid out as below.
// The entry is read afresh on every call; without one a query answers its preset and a
// setter answers 0.

#include <stddef.h>
#include <stdint.h>

#include "block_record.h"

struct ServiceIntBlock {
  int32_t value;
};
struct ServiceByteBlock {
  uint8_t value;
};
struct ServiceDoubleBlock {
  double value;
};
struct ServicePointerBlock {
  void* value;
};
// Asks about an object: the object's address in, the host's answer out.
struct ServicePointerQueryBlock {
  const void* object;
  int32_t answer;
};
// Asks about an object together with a 64-bit value.
struct ServicePointerValueQueryBlock {
  const void* object;
  int64_t value;
  int32_t answer;
};
// Two integers and a byte; which are inputs depends on the service.
struct ServiceIntPairByteBlock {
  int32_t first;
  int32_t second;
  uint8_t flag;
};

static_assert(offsetof(ServiceIntBlock, value) == 0);
static_assert(offsetof(ServiceByteBlock, value) == 0);
static_assert(offsetof(ServiceDoubleBlock, value) == 0);
static_assert(offsetof(ServicePointerBlock, value) == 0);
static_assert(offsetof(ServicePointerQueryBlock, object) == 0);
static_assert(offsetof(ServicePointerQueryBlock, answer) == 8);
static_assert(offsetof(ServicePointerValueQueryBlock, object) == 0);
static_assert(offsetof(ServicePointerValueQueryBlock, value) == 8);
static_assert(offsetof(ServicePointerValueQueryBlock, answer) == 16);
static_assert(offsetof(ServiceIntPairByteBlock, first) == 0);
static_assert(offsetof(ServiceIntPairByteBlock, second) == 4);
static_assert(offsetof(ServiceIntPairByteBlock, flag) == 8);

// The entry as it stands now, null when the host offers none.
HostServiceEntry hostServiceEntry(SimStruct* block);

// Calls the entry with the block, or answers `absent` without an entry.
int32_t callHostService(SimStruct* block, int32_t serviceId, int32_t argument,
                        void* argumentBlock, int32_t absent);

// Queries: the single-value block starts out holding the preset, and the answer is
// what the block holds after the call (the preset without an entry).
int32_t serviceGetInt(SimStruct* block, int32_t serviceId, int32_t argument, int32_t preset);
// The byte answer widened without sign (0..255).
int32_t serviceGetByte(SimStruct* block, int32_t serviceId, int32_t argument, uint8_t preset);
double serviceGetDouble(SimStruct* block, int32_t serviceId, int32_t argument, double preset);
void* serviceGetPointer(SimStruct* block, int32_t serviceId, int32_t argument);

// Setters: the value goes into the block; the answer is the entry's result.
int32_t serviceSetInt(SimStruct* block, int32_t serviceId, int32_t index, int32_t value);
int32_t serviceSetByte(SimStruct* block, int32_t serviceId, int32_t index, uint8_t value);
int32_t serviceSetDouble(SimStruct* block, int32_t serviceId, int32_t index, double value);

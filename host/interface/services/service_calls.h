#pragma once

// Calling the host's generic service entry (modelInfo->service). A service gets the
// block record, its id, an integer argument and an argument block: a small record on
// the caller's stack that holds the inputs and receives the answer (service_blocks.h).
// The entry is read afresh on every call; without one a query answers its preset and a
// setter answers 0.

#include <stdint.h>

#include "block_record.h"
#include "service_blocks.h"

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

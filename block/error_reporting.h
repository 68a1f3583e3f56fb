#pragma once

// How block methods and the routines that work on a block record hand a failure to
// the host: the message becomes the root record's error status, read after the call.

#include "block_record.h"

// Stores a message that outlives the call (a fixed text or the root's error buffer).
void reportBlockError(SimStruct* block, const char* message);

// Copies a text formatted into a caller's local buffer into the root's error buffer
// (at most 1023 characters) and reports the buffer.
void reportFormattedBlockError(SimStruct* block, const char* text);

// Issues a host warning, prefixed with the block path when the block has one.
void warnWithBlockPath(SimStruct* block, const char* message);

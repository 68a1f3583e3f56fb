#pragma once

// The host's flag calls: one action per flag from 101 to 150, or a report that the
// flag is unassigned or that the block lacks the method asked for.

#include "block_record.h"

void dispatchHostFlag(SimStruct* block, int32_t flag);

// Reports that the host asked for a block method the block does not have.
void reportUnexpectedCall(SimStruct* block, const char* methodName);

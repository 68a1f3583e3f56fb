#pragma once

// The block record the gateway builds for a command-line sizes query, all of it from
// zero-filled mxCalloc memory that the host reclaims when the call returns.

#include "block_record.h"

SimStruct* buildPrivateRecord(int32_t dialogParameterCount, const mxArray* const* dialogParameters);

#pragma once

// Writing the named parts of a work vector into the host's code-generation record
// file, so that generated code can reach each part by name.

#include "block_record.h"

// vectorName is "RWork", "IWork" or "PWork"; then `count` pairs of a part name
// (const char*) and its width (int32). Writes Num<vector>Defines, then per part a
// <vector>Define record with its Name, Width and StartIndex. The widths must add up to
// the vector's size declared in the size record: otherwise the mismatch is reported and
// the answer is 0, the records written staying written. A failing write ends the
// routine with its result.
int writeRtwWorkVectorDefines(SimStruct* block, const char* vectorName, int count, ...);

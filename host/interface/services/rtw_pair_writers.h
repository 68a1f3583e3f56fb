#pragma once

// Writing one name/value pair, or one text, into the host's code-generation record
// file through the writers the host puts into the model-info record. Each failure is
// reported on the block record and answered with 0; with the writer itself the host
// has the last word, and its result is handed back unchanged.
//
// A writer the host left empty is never called: the routine answers 0 ("not written")
// without a message, since the host offers its writers only while it generates code and
// has nothing to report outside of that.

#include <stdint.h>

#include "block_record.h"
#include "host_numbering.h"
#include "rtw_pair_codes.h"

// Data type word: a data type id (HostDataTypeId) and, in kDataTypeComplexBit, the mark
// of complex data.

// Writes one pair. The arguments after `value` depend on the code (see RtwPairCode),
// each an int32 read in the order shown. Answers the pair writer's result, or 0 after
// reporting an unknown code, an empty name, an impossible dimension or a missing value.
int writeRtwPair(SimStruct* block, int code, const char* name, const void* value, ...);

// The pair of codes 9 and 10 built from its two parts.
int writeRtwComplexVectorPair(SimStruct* block, const char* name, const void* real,
                              const void* imaginary, int32_t dataTypeWord, int32_t count);
int writeRtwComplexMatrixPair(SimStruct* block, const char* name, const void* real,
                              const void* imaginary, int32_t dataTypeWord, int32_t rows,
                              int32_t columns);

// Hands the three arguments to the text writer as they are; answers its result.
int writeRtwText(SimStruct* block, const char* text, const void* second, const void* third);

// The checks and the write of writeRtwPair once its arguments are read: rows carries
// the element count of the codes that have no columns (columns then 1). For the list
// writers, which gather the arguments of a pair themselves.
int writeRtwPairChecked(SimStruct* block, int code, const char* name, const void* value,
                        int32_t dataTypeWord, int32_t rows, int32_t columns);

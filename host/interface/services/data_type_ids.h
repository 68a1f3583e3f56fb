#pragma once

// The host's data type id of an array's class.

#include <stdint.h>

#include "host_numbering.h"
#include "matrix_api.h"

// logical 8, double 0, single 1, int8 2, uint8 3, int16 4, uint16 5, int32 6, uint32 7;
// char, void, every other class and a missing array answer kDataTypeInvalid.
int32_t dataTypeIdOfArray(const mxArray* array);

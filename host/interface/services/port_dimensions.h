#pragma once

// Declaring a port's dimensions through the host's dimension-info services, and reading
// a port's current width.

#include <stdint.h>

#include "block_record.h"

// The record every declaration starts from: nothing known.
extern const DimensionsRecord kUnsetDimensionsRecord;

// A vector of `width` elements. Answers 1 when the host offers no dimension-info
// service, else the service's result.
int32_t setInputPortVectorDimensions(SimStruct* block, int32_t port, int32_t width);
int32_t setOutputPortVectorDimensions(SimStruct* block, int32_t port, int32_t width);

// A rows by columns matrix; -1 for either leaves the width unknown (-1). A width past the
// int32 range is refused with 0 before the host hears of it. Zero columns (or rows) give
// width 0, which the host receives like any other. Answers as the vector form.
int32_t setInputPortMatrixDimensions(SimStruct* block, int32_t port, int32_t rows,
                                     int32_t columns);
int32_t setOutputPortMatrixDimensions(SimStruct* block, int32_t port, int32_t rows,
                                      int32_t columns);

// The port's width as it stands: the declared width unless the port's dimensions vary,
// then the product of its current dimensions (1 for none), in the host's 32-bit
// arithmetic. A port whose current dimensions the host did not provide answers its
// declared width.
int32_t currentInputPortWidth(SimStruct* block, int32_t port);
int32_t currentOutputPortWidth(SimStruct* block, int32_t port);

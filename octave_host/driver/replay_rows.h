#pragma once

#include <cstddef>

#include "loaded_block.h"

namespace octave_host {

// Runs each row of an N-by-13 matrix of inputs through the block, one output step per
// row in order, and writes the N-by-6 outputs. Both matrices are column-major, as
// Octave stores them.
void replayRows(LoadedBlock& block, StepVia via, const float* inputs, std::size_t rows,
                float* outputs);

}  // namespace octave_host

#include "replay_rows.h"

namespace octave_host {

void replayRows(LoadedBlock& block, StepVia via, const float* inputs, std::size_t rows,
                float* outputs) {
  constexpr std::size_t kInputColumns = kInputSignalCount, kOutputColumns = kOutputSignalCount;
  float in[kInputColumns], out[kOutputColumns];
  for (std::size_t row = 0; row < rows; ++row) {
    for (std::size_t column = 0; column < kInputColumns; ++column)
      in[column] = inputs[column * rows + row];
    block.step(via, in, out);
    for (std::size_t column = 0; column < kOutputColumns; ++column)
      outputs[column * rows + row] = out[column];
  }
}

}  // namespace octave_host

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mat_input.h"
#include "replay/row_sink_replay.h"

namespace substitute_host {

// A replay's outputs as a level-5 MAT file in the layout of its MAT input, so that a
// recorded log comes back in the form it went in:
//  - one variable per signal: vabcNorm1_a ... vabcNorm2_c, N-by-1 singles, and time
//    (N-by-1 doubles) when the input has it;
//  - a structure with time: the input's name, x.time (the input's, or empty) and
//    x.signals.values N-by-6 singles with x.signals.dimensions 6;
//  - a matrix: the input's name, N-by-6 singles, or N-by-7 doubles with time first.
// The row count is the input's, known before the first row, so the file is laid out
// whole when opened and filled a block of rows at a time: memory stays flat. Level 5,
// uncompressed, because a structure cannot be grown a block at a time in a 7.3 file.
class MatLayoutOutput final : public ReplayRowSink {
 public:
  MatLayoutOutput();
  ~MatLayoutOutput() override;
  MatLayoutOutput(const MatLayoutOutput&) = delete;
  MatLayoutOutput& operator=(const MatLayoutOutput&) = delete;

  // Starts the file; false with error() set when it cannot be written there.
  bool open(const std::string& path, const MatInputShape& shape);
  bool begin(bool withTime) override;
  bool row(double time, const float outputs[kOutputSignalCount]) override;
  std::string error() const override;

  // Writes the last rows, checks that every row came, closes and names the file.
  bool commit();
  void abandon();

 private:
  struct State;
  std::unique_ptr<State> state_;
  std::string error_;
};

}  // namespace substitute_host

#pragma once

#include <string>

#include "matfile_out/column_file.h"
#include "replay/row_sink_replay.h"

namespace substitute_host {

// Whether a replay's output path asks for a MAT file: its extension is ".mat", in any
// letter case.
bool isMatOutputPath(const std::string& path);

// A replay's outputs as a 7.3 MAT file, streamed: the six outputs as N-by-1 singles
// named vabcNorm1_a ... vabcNorm2_c, and "time" as doubles when the input has it.
class MatReplayOutput : public ReplayRowSink {
 public:
  // Starts the file; false with error() set when it cannot be written there.
  bool open(const std::string& path);
  bool begin(bool withTime) override;
  bool row(double time, const float outputs[kOutputSignalCount]) override;
  std::string error() const override { return file_.error(); }

  bool commit() { return file_.commit(); }
  void abandon() { file_.abandon(); }

 private:
  matfile_out::MatColumnFile file_;
  bool withTime_ = false;
};

}  // namespace substitute_host

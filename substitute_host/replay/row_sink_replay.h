#pragma once

#include <cstdio>
#include <string>

#include "block_step.h"
#include "replay/csv_replay.h"

namespace substitute_host {

// Where a replay's output rows go when they are not CSV text: a file of columns such as
// a MAT file. Each call returns false once writing has failed, with error() saying why.
class ReplayRowSink {
 public:
  virtual ~ReplayRowSink() = default;
  // Before the first row, once the input's header is known: whether rows carry a time.
  virtual bool begin(bool withTime) = 0;
  // One row's six outputs in port order, and its time when begin was told so.
  virtual bool row(double time, const float outputs[kOutputSignalCount]) = 0;
  virtual std::string error() const = 0;
};

// As replayCsv, with the output rows handed to sink: every row of the input CSV `in`
// through step, in constant memory. The input's "time" column, when it has one, is
// carried over. The sink is not finished here: the caller commits or abandons it.
ReplayOutcome replayToSink(std::FILE* in, ReplayRowSink& sink, BlockStepFn step,
                           void* context) noexcept;
// The same for rows from another source (a MAT file), already opened; it stays open.
ReplayOutcome replayRowsToSink(RowSource& in, ReplayRowSink& sink, BlockStepFn step,
                               void* context) noexcept;

}  // namespace substitute_host

#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "block_step.h"
#include "table/row_source.h"

namespace substitute_host {

struct ReplayOutcome {
  enum class Status {
    ok,
    badInput,     // the input is not a valid input CSV; error names line and column
    readFailed,   // the input stream failed
    writeFailed,  // the output stream failed
    outOfMemory,
    targetMissing,  // replay --target: the emulator is not installed
    targetFailed,   // replay --target: the target program failed or wrote short output
  };
  Status status = Status::ok;
  std::uint64_t rowsWritten = 0;
  std::string error;  // empty when status is ok
};

// Runs every row of the input CSV `in` through step, in order, and writes one output
// row per input row to `out`, in constant memory whatever the length of the input.
// Nothing is written until the input header has been checked. At a bad row the rows
// before it are written and flushed and the bad row is not. Both streams stay open.
ReplayOutcome replayCsv(std::FILE* in, std::FILE* out, BlockStepFn step, void* context) noexcept;
// The same for rows from another source (a MAT file), already opened; it stays open.
ReplayOutcome replayRows(RowSource& in, std::FILE* out, BlockStepFn step, void* context) noexcept;

}  // namespace substitute_host

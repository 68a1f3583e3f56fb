#pragma once

#include <cstdio>
#include <new>

#include "replay/csv_replay.h"
#include "replay/input_csv.h"

namespace substitute_host {

// Runs `replay` on a reader of the input rows: of `source` when there is one, else of the
// CSV file `in`. Running out of memory (only a line too long to buffer gets there)
// becomes an outcome that says so, rather than ending the process.
template <class Replay>
ReplayOutcome replayFromReader(std::FILE* in, RowSource* source, Replay&& replay) noexcept {
  try {
    if (source != nullptr) {
      InputCsvReader reader(*source);
      return replay(reader);
    }
    InputCsvReader reader(in);
    return replay(reader);
  } catch (const std::bad_alloc&) {
    try {
      return ReplayOutcome{ReplayOutcome::Status::outOfMemory, 0,
                           "out of memory reading the input"};
    } catch (...) {
      return ReplayOutcome{ReplayOutcome::Status::outOfMemory, 0, {}};
    }
  }
}

}  // namespace substitute_host

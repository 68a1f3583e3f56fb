#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "compare/column_tally.h"
#include "table/row_source.h"

namespace substitute_host {

// A CSV to compare and the name it goes by in messages.
struct CsvSource {
  std::FILE* stream = nullptr;
  std::string name;
};

struct CompareRequest {
  std::vector<std::string> columns;  // empty: every column both files name
  Tolerance tolerance;
};

struct CompareOutcome {
  enum class Status { compared, badInput, readFailed };
  Status status = Status::compared;
  std::string error;  // names the file, line and column where there is one
  std::uint64_t rows = 0;
  std::uint64_t rowsDiffering = 0;        // rows with a differing pair in any column
  std::uint64_t rowsBeyondTolerance = 0;  // rows with a pair beyond the tolerance in any column
  std::vector<ColumnTally> columns;
  std::vector<std::string> onlyInA;  // named columns not compared, when none were requested
  std::vector<std::string> onlyInB;

  // Whether every compared pair of singles lies within the tolerance.
  bool withinTolerance() const;
};

// Pairs the rows of a and b in order and their columns by name, reads each compared
// field as the nearest single (as the replay reads its input), and tallies the
// differences column by column. Streams both: memory stays the size of the longest
// lines, whatever the number of rows. Files with different row counts, a column that
// cannot be paired, or a field that is no number are bad input.
CompareOutcome compareCsv(const CsvSource& a, const CsvSource& b, const CompareRequest& request);
// The same for two sources of rows of any kind (CSV, MAT), each already opened.
CompareOutcome compareSources(RowSource& a, RowSource& b, const CompareRequest& request);

}  // namespace substitute_host

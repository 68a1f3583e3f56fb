#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "block_ports.h"
#include "table/table_reader.h"

namespace substitute_host {

// The input columns in port order: the signals of the block's input ports, named
// after them (block_ports.h).
inline constexpr std::size_t kInputValueCount = kInputSignalCount;
inline constexpr std::array<std::string_view, kInputValueCount> kInputColumns = [] {
  std::array<std::string_view, kInputValueCount> names{};
  for (std::size_t i = 0; i < kInputValueCount; ++i) names[i] = kInputSignalNames[i].view();
  return names;
}();

// Streams the input rows: from an input CSV, a table (table_reader.h) whose header
// names the thirteen input columns, in any order; or from any other source of named
// rows that holds them (a MAT file). Other columns are skipped unread, and may repeat.
// Each row is one step.
class InputCsvReader {
 public:
  using Status = TableReader::Status;

  explicit InputCsvReader(std::FILE* in);
  // Reads from a source already opened; it must outlive the reader.
  explicit InputCsvReader(RowSource& source);

  // Reads and checks the header (of a CSV) and finds the input columns; false with
  // error() set when they are not all there.
  bool readHeader();
  // Reads the next row's thirteen values into values, in port order.
  Status next(float values[kInputValueCount]);

  // Whether the header names a column "time" (the first of that name is the one read),
  // and that column of the row next() read, as the nearest double; badInput with error()
  // set when it is no number.
  bool hasTime() const { return timeField_ != kNoField; }
  Status readTime(double& value);

  // Why the last call failed, naming the line and, where there is one, the column.
  const std::string& error() const { return source_->error(); }
  // Whether that failure was the stream's rather than the text's.
  bool readFailed() const { return source_->readFailed(); }

 private:
  // An input column and the field that holds it.
  struct Placed {
    std::size_t field = 0;
    std::size_t value = 0;
  };

  static constexpr std::size_t kNoField = static_cast<std::size_t>(-1);

  bool placeColumns();
  // The CSV's rows through the table itself, whose calls the compiler can inline.
  template <typename Source>
  Status nextFrom(Source& source, float values[kInputValueCount]);
  // The current row's input values, field by field.
  template <typename Source>
  Status readFields(Source& source, float values[kInputValueCount]);

  TableReader table_;
  RowSource* source_ = &table_;  // the table, or a source of the caller's
  std::size_t timeField_ = kNoField;
  // The input columns in the order of their fields, so that the first bad field of a
  // row is the one reported.
  std::array<Placed, kInputValueCount> placed_{};
};

}  // namespace substitute_host

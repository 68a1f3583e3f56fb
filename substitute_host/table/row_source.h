#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace substitute_host {

// Rows of named columns of singles, whatever holds them (CSV text, a MAT file): what the
// replay and the comparison read, so that neither cares where the rows come from. The
// source is ready to give rows once it has been opened by its own means.
class RowSource {
 public:
  enum class Status { row, end, badInput, readFailed };

  virtual ~RowSource() = default;

  // The columns' names, as the source names them.
  virtual const std::vector<std::string>& names() const = 0;
  // Moves to the next row.
  virtual Status next() = 0;
  // The current row's value of a column as text: as written, or as the shortest text
  // that reads back as the same single.
  virtual std::string_view field(std::size_t index) = 0;
  // The current row's value of a column as the nearest single; false, with the fault
  // recorded as the row's, when it is no number.
  virtual bool readSingle(std::size_t index, float& value) = 0;
  // The current row's values, every column as the nearest single, side by side; null
  // when the source holds text (its fields are then read one by one). Lets a reader of
  // numbers take a row without a call per value.
  virtual const float* rowSingles() const { return nullptr; }
  // The current row's value of a column as the nearest double (a time); false when it
  // is no number. By default the column's text, as a reader of the text would take it.
  virtual bool readDouble(std::size_t index, double& value);
  virtual std::uint64_t rowNumber() const = 0;
  // Where the current row sits in the source, for a report: its line in a text, its row
  // in a file of numbers.
  virtual std::uint64_t lineNumber() const = 0;
  // Counts the rows left, up to the end.
  virtual Status countRemainingRows(std::uint64_t& rows) = 0;

  // Records a fault of the columns as a whole; returns false.
  virtual bool failHeader(const std::string& message) = 0;
  // Why the last call failed, naming the source and the place in it.
  virtual const std::string& error() const = 0;
  // Whether that failure was the stream's rather than the content's.
  virtual bool readFailed() const = 0;
  // The source's name as messages show it; empty when it has none.
  virtual const std::string& sourceName() const = 0;
};

}  // namespace substitute_host

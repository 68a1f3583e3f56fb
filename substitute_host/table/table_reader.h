#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "table/line_reader.h"
#include "table/row_source.h"

namespace substitute_host {

// Streams a table of named columns written as CSV text: line 1 is the header, each
// later line one row with exactly as many fields as the header. A UTF-8 byte-order mark
// before the header is skipped, names and fields may be surrounded by spaces or tabs,
// lines end in LF or CRLF, blank lines may close the file but not sit between rows, and
// nothing is quoted. Memory stays the size of the longest line.
//
// Every error names its place: the source's name when it has one, the line, and the
// column where there is one; text from the file is shown escaped and cut.
class TableReader final : public RowSource {
 public:
  using Status = RowSource::Status;
  // Picks the header names that must not repeat: those that will be looked up.
  using NameFilter = bool (*)(std::string_view name);

  // sourceName: how messages name the source (shown escaped); empty: they start at the
  // line, for a caller that names the source itself.
  TableReader(std::FILE* in, std::string_view sourceName);

  // Reads and checks the header; false with error() set when it is unusable. A name
  // that mustBeUnique picks (without a filter: any name but the empty one) may appear
  // once only, since a lookup could not tell two of it apart.
  bool readHeader(NameFilter mustBeUnique = nullptr);
  // The header's names, trimmed, as written.
  const std::vector<std::string>& names() const override { return names_; }

  // Reads the next row and splits it into as many fields as the header has.
  Status next() override;
  std::string_view field(std::size_t index) override { return fields_[index]; }
  // Reads a field of the current row as the nearest single (see parseInputValue);
  // false, with the fault recorded as the row's, when it is no number.
  bool readSingle(std::size_t index, float& value) override;
  std::uint64_t rowNumber() const override { return rows_; }
  std::uint64_t lineNumber() const override { return lines_.lineNumber(); }

  // Counts the rows left, without splitting them, up to the end of the stream.
  Status countRemainingRows(std::uint64_t& rows) override;

  // Records a fault of the header as a whole, or of one of its names; returns false.
  bool failHeader(const std::string& message) override;
  bool failHeaderName(std::size_t index, const std::string& message);
  // Records a fault of the current row's field and returns badInput.
  Status failField(std::size_t index, const std::string& message);

  // Why the last call failed.
  const std::string& error() const override { return error_; }
  // Whether that failure was the stream's rather than the text's.
  bool readFailed() const override { return lines_.readFailed(); }
  // The source's name as messages show it; empty when it has none.
  const std::string& sourceName() const override { return sourceName_; }

 private:
  bool checkNames(std::string_view header, NameFilter mustBeUnique);
  bool nextNonBlankLine(std::string_view& line, Status& status);
  std::string place(std::uint64_t line) const;
  Status failRead();

  LineReader lines_;
  std::string sourceName_;
  std::vector<std::string> names_;
  std::vector<std::string_view> fields_;  // the current row's, valid until the next call
  std::uint64_t rows_ = 0;
  std::uint64_t pendingBlankLine_ = 0;  // first blank line not yet followed by a row
  std::string error_;
};

}  // namespace substitute_host

#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "replay/line_reader.h"

namespace substitute_host {

// Streams a CSV of named columns: line 1 is the header, each later line one row with as
// many fields as the header. The same text rules as the replay's input: a UTF-8
// byte-order mark before the header is skipped, names may be surrounded by spaces or
// tabs, lines may end in CRLF, blank lines may close the file but not sit between
// rows, nothing is quoted. Memory stays the size of the longest line.
class CsvRowReader {
 public:
  enum class Status { row, end, badInput, readFailed };

  CsvRowReader(std::FILE* in, std::string sourceName);

  // Reads and checks the header; false with error() set when it is unusable.
  bool readHeader();
  const std::vector<std::string>& names() const { return names_; }

  // Reads the next row and splits it into fields.
  Status next();
  std::string_view field(std::size_t index) const { return fields_[index]; }
  std::uint64_t rowNumber() const { return rows_; }
  std::uint64_t lineNumber() const { return lines_.lineNumber(); }

  // Counts the rows left, without splitting them, up to the end of the stream.
  Status countRemainingRows(std::uint64_t& rows);

  // Records a fault of the current row's field and returns badInput.
  Status failField(std::size_t index, const std::string& message);

  // Why the last call failed: the source's name, the line and, where there is one, the
  // column.
  const std::string& error() const { return error_; }
  const std::string& sourceName() const { return sourceName_; }

 private:
  bool nextNonBlankLine(std::string_view& line, Status& status);
  bool failHeader(const std::string& message);
  Status failRead();

  LineReader lines_;
  std::string sourceName_;
  std::vector<std::string> names_;
  std::vector<std::string_view> fields_;  // the current row's, valid until the next call
  std::uint64_t rows_ = 0;
  std::uint64_t pendingBlankLine_ = 0;  // first blank line not yet followed by a row
  std::string error_;
};

// The text with control bytes shown as \xHH, so that printing it cannot act on a
// terminal.
std::string escapeControlBytes(std::string_view text);

// Quotes a field or name for a message, cut short so a runaway field cannot flood the
// terminal, with control bytes shown as \xHH so they cannot act on it.
std::string quotedForMessage(std::string_view text);

}  // namespace substitute_host

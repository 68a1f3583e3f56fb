#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "block_ports.h"
#include "replay/line_reader.h"

namespace substitute_host {

// The input columns in port order: the signals of the block's input ports, named
// after them (block_ports.h).
inline constexpr std::size_t kInputValueCount = kInputSignalCount;
inline constexpr std::array<std::string_view, kInputValueCount> kInputColumns = [] {
  std::array<std::string_view, kInputValueCount> names{};
  for (std::size_t i = 0; i < kInputValueCount; ++i) names[i] = kInputSignalNames[i].view();
  return names;
}();

// Streams the rows of an input CSV. Line 1 is the header; each later line is one step.
// Columns are found by name, in any order; unknown columns are skipped unread. A row
// must have exactly as many fields as the header. A UTF-8 byte-order mark before the
// header is skipped, names and fields may be surrounded by spaces or tabs, lines may
// end in CRLF, and blank lines may close the file but not sit between rows. Fields are
// never quoted.
class InputCsvReader {
 public:
  enum class Status { row, end, badInput, readFailed };

  explicit InputCsvReader(std::FILE* in);

  // Reads and checks the header; false with error() set when it is unusable.
  bool readHeader();
  // Reads the next row's thirteen values into values, in port order.
  Status next(float values[kInputValueCount]);

  // Why the last call failed, naming the line and, where there is one, the column.
  const std::string& error() const { return error_; }
  // Whether that failure was the stream's rather than the text's.
  bool readFailed() const { return lines_.readFailed(); }

 private:
  Status failRow(std::size_t field, std::string message);
  Status failRead();

  LineReader lines_;
  std::vector<int> valueOfField_;        // per header field: index into values, or -1
  std::vector<std::string> fieldNames_;  // header names, for messages
  std::uint64_t pendingBlankLine_ = 0;   // first blank line not yet followed by a row
  std::string error_;
};

}  // namespace substitute_host

#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <string_view>
#include <vector>

#include "block_ports.h"
#include "table/single_text.h"

namespace substitute_host {

// The output columns in port order: the signals of the block's output ports, named
// after them (block_ports.h).
inline constexpr std::size_t kOutputValueCount = kOutputSignalCount;
inline constexpr std::array<std::string_view, kOutputValueCount> kOutputColumns = [] {
  std::array<std::string_view, kOutputValueCount> names{};
  for (std::size_t i = 0; i < kOutputValueCount; ++i) names[i] = kOutputSignalNames[i].view();
  return names;
}();

// Buffers output rows and hands them to the stream in large blocks.
class OutputCsvWriter {
 public:
  explicit OutputCsvWriter(std::FILE* out, std::size_t bufferBytes = std::size_t{1} << 18);

  void writeHeader();
  void writeRow(const float values[kOutputValueCount]);
  // Hands everything buffered to the stream and flushes it; false when writing failed,
  // with writeErrno() saying why. A failure sticks: later flushes fail too.
  bool flush();
  bool failed() const { return failed_; }
  int writeErrno() const { return writeErrno_; }

 private:
  static constexpr std::size_t kMaxRowChars = kOutputValueCount * (kMaxOutputValueChars + 1);

  void makeRoom(std::size_t chars);
  void writeBuffered();

  std::FILE* out_;
  std::size_t bufferBytes_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  bool failed_ = false;
  int writeErrno_ = 0;
};

}  // namespace substitute_host

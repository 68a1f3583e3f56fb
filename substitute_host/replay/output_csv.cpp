#include "replay/output_csv.h"

#include <cerrno>
#include <cstring>

namespace substitute_host {

namespace {
// A short output never needs the whole buffer: it starts small and grows to the full
// size before the first block is handed to the stream.
constexpr std::size_t kFirstBufferBytes = std::size_t{1} << 12;
}  // namespace

OutputCsvWriter::OutputCsvWriter(std::FILE* out, std::size_t bufferBytes)
    : out_(out),
      bufferBytes_(bufferBytes > kMaxRowChars ? bufferBytes : kMaxRowChars),
      buffer_(bufferBytes_ < kFirstBufferBytes ? bufferBytes_ : kFirstBufferBytes) {}

void OutputCsvWriter::writeBuffered() {
  if (!failed_ && used_ > 0 && std::fwrite(buffer_.data(), 1, used_, out_) != used_) {
    failed_ = true;
    writeErrno_ = errno;
  }
  used_ = 0;
}

void OutputCsvWriter::makeRoom(std::size_t chars) {
  if (buffer_.size() - used_ >= chars) return;
  if (buffer_.size() < bufferBytes_ && used_ + chars <= bufferBytes_) {
    buffer_.resize(bufferBytes_);
    return;
  }
  writeBuffered();
  if (buffer_.size() < chars) buffer_.resize(chars);
}

void OutputCsvWriter::writeHeader() {
  std::size_t length = 0;
  for (const std::string_view name : kOutputColumns) length += name.size() + 1;
  makeRoom(length);
  char* cursor = buffer_.data() + used_;
  for (std::size_t i = 0; i < kOutputColumns.size(); ++i) {
    std::memcpy(cursor, kOutputColumns[i].data(), kOutputColumns[i].size());
    cursor += kOutputColumns[i].size();
    *cursor++ = i + 1 < kOutputColumns.size() ? ',' : '\n';
  }
  used_ = static_cast<std::size_t>(cursor - buffer_.data());
}

void OutputCsvWriter::writeRow(const float values[kOutputValueCount]) {
  makeRoom(kMaxRowChars);
  char* cursor = buffer_.data() + used_;
  for (std::size_t i = 0; i < kOutputValueCount; ++i) {
    cursor = formatOutputValue(values[i], cursor);
    *cursor++ = i + 1 < kOutputValueCount ? ',' : '\n';
  }
  used_ = static_cast<std::size_t>(cursor - buffer_.data());
}

bool OutputCsvWriter::flush() {
  writeBuffered();
  if (!failed_ && std::fflush(out_) != 0) {
    failed_ = true;
    writeErrno_ = errno;
  }
  return !failed_;
}

}  // namespace substitute_host

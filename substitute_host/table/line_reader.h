#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

namespace substitute_host {

// Reads a stream line by line through one reusable buffer, so memory stays the size of
// the longest line however long the stream is. Lines end in "\n" or "\r\n"; the last
// line needs no terminator. A returned line stays valid until the next call.
class LineReader {
 public:
  explicit LineReader(std::FILE* in, std::size_t chunkBytes = std::size_t{1} << 20);

  // False at the end of the stream or when reading failed (see readFailed()).
  bool next(std::string_view& line);

  bool readFailed() const { return readFailed_; }
  int readErrno() const { return readErrno_; }
  // 1-based number of the line last returned by next().
  std::uint64_t lineNumber() const { return lineNumber_; }

 private:
  bool fill();

  std::FILE* in_;
  std::size_t chunkBytes_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // first unread byte
  std::size_t end_ = 0;    // one past the last byte read
  bool atEof_ = false;
  bool readFailed_ = false;
  int readErrno_ = 0;
  std::uint64_t lineNumber_ = 0;
};

}  // namespace substitute_host

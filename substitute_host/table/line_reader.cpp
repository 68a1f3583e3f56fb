#include "table/line_reader.h"

#include <cerrno>
#include <cstring>

namespace substitute_host {

namespace {
// A short input never needs the full chunk: the buffer starts small and takes the
// chunk's size once the stream proves longer.
constexpr std::size_t kFirstBufferBytes = std::size_t{1} << 12;
}  // namespace

LineReader::LineReader(std::FILE* in, std::size_t chunkBytes)
    : in_(in),
      chunkBytes_(chunkBytes > 0 ? chunkBytes : 1),
      buffer_(chunkBytes_ < kFirstBufferBytes ? chunkBytes_ : kFirstBufferBytes) {}

bool LineReader::next(std::string_view& line) {
  std::size_t searchFrom = begin_;
  for (;;) {
    const char* base = buffer_.data();
    const void* newline = std::memchr(base + searchFrom, '\n', end_ - searchFrom);
    if (newline != nullptr || (atEof_ && begin_ < end_)) {
      const std::size_t stop =
          newline != nullptr ? static_cast<std::size_t>(static_cast<const char*>(newline) - base)
                             : end_;
      std::size_t length = stop - begin_;
      if (length > 0 && base[begin_ + length - 1] == '\r') --length;
      line = std::string_view(base + begin_, length);
      begin_ = newline != nullptr ? stop + 1 : end_;
      ++lineNumber_;
      return true;
    }
    if (atEof_ || readFailed_) return false;
    // The bytes scanned so far hold no newline; only what fill() appends needs a look.
    searchFrom = end_ - begin_;
    if (!fill()) return false;
  }
}

// Moves the unread tail to the front, grows the buffer if it is full (to the chunk size,
// then by doubling for a line longer than that), and reads as much as fits. Returns false only when
// reading failed.
bool LineReader::fill() {
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size()) {
    buffer_.resize(buffer_.size() < chunkBytes_ ? chunkBytes_ : buffer_.size() * 2);
  }
  const std::size_t wanted = buffer_.size() - end_;
  errno = 0;
  const std::size_t got = std::fread(buffer_.data() + end_, 1, wanted, in_);
  end_ += got;
  if (got < wanted) {
    if (std::ferror(in_)) {
      readFailed_ = true;
      readErrno_ = errno;
      return false;
    }
    atEof_ = true;
  }
  return true;
}

}  // namespace substitute_host

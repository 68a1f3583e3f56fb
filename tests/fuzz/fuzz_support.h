#pragma once

// What every fuzz target shares: reading its input as a stream of choices, and ending
// the run loudly when an invariant breaks, so that the fuzzer keeps the input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fuzz {

// Aborts with the broken invariant: the fuzzer saves the input as a reproducer, and the
// corpus replay fails its test.
[[noreturn]] inline void fail(const std::string& what) {
  std::fprintf(stderr, "fuzz invariant broken: %s\n", what.c_str());
  std::abort();
}

inline void check(bool holds, const std::string& what) {
  if (!holds) fail(what);
}

// The input read front to back as choices; past its end every choice is 0.
class ByteSource {
 public:
  ByteSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool empty() const { return at_ >= size_; }
  uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  // A choice among `count` (at least 1).
  unsigned pick(unsigned count) { return byte() % count; }
  bool flip() { return (byte() & 1) != 0; }
  template <typename T>
  T raw() {
    unsigned char bytes[sizeof(T)] = {};
    for (unsigned char& b : bytes) b = byte();
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

}  // namespace fuzz

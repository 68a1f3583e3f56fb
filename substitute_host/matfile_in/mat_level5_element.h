#pragma once

#include <cstdint>
#include <cstdio>

namespace substitute_host {

// The level-5 format's numbers that its readers here share: element types and the
// classes of a matrix element.
inline constexpr std::uint32_t kMatrixElement = 14;
inline constexpr std::uint32_t kCompressedElement = 15;
inline constexpr unsigned kCellClass = 1;
inline constexpr unsigned kStructClass = 2;
inline constexpr unsigned kCharClass = 4;

// Reads the parts of one element, never beyond its end.
struct ElementReader {
  std::FILE* file;
  bool bigEndian;
  std::uint64_t at;
  std::uint64_t end;

  bool word(std::uint32_t& value) {
    unsigned char bytes[4];
    if (end - at < 4 || std::fseek(file, static_cast<long>(at), SEEK_SET) != 0 ||
        std::fread(bytes, 1, 4, file) != 4) {
      return false;
    }
    value = bigEndian ? (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
                            (std::uint32_t{bytes[2]} << 8) | bytes[3]
                      : (std::uint32_t{bytes[3]} << 24) | (std::uint32_t{bytes[2]} << 16) |
                            (std::uint32_t{bytes[1]} << 8) | bytes[0];
    at += 4;
    return true;
  }

  // A sub-element's tag, in the long form or the small one (data in the tag's second
  // word); leaves `at` at its data and `next` after it, padded to eight bytes.
  bool tag(std::uint32_t& type, std::uint32_t& bytes, std::uint64_t& next) {
    std::uint32_t first = 0;
    if (!word(first)) return false;
    if ((first >> 16) != 0) {
      type = first & 0xFFFF;
      bytes = first >> 16;
      next = at + 4;
      return bytes <= 4 && next <= end;
    }
    type = first;
    if (!word(bytes)) return false;
    next = at + ((std::uint64_t{bytes} + 7) / 8) * 8;
    return next <= end;
  }
};

// Bytes per value of a numeric data type of the format; 0 for any other type.
inline std::uint64_t sizeOfType(std::uint32_t type) {
  switch (type) {
    case 1: case 2: return 1;           // int8, uint8
    case 3: case 4: return 2;           // int16, uint16
    case 5: case 6: case 7: return 4;   // int32, uint32, single
    case 9: case 12: case 13: return 8; // double, int64, uint64
    default: return 0;
  }
}

}  // namespace substitute_host

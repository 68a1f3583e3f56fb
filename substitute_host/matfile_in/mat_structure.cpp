#include "matfile_in/mat_structure.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "matfile_in/mat_inflate.h"
#include "matfile_in/mat_level5_check.h"
#include "matfile_in/mat_level5_element.h"
#include "matfile_in/mat_variable.h"
#include "text/display_text.h"

namespace substitute_host {
namespace {

// An open file that closes itself.
struct File {
  std::FILE* stream = nullptr;
  explicit File(const std::string& path) : stream(std::fopen(path.c_str(), "rb")) {}
  ~File() {
    if (stream != nullptr) std::fclose(stream);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
};

std::uint32_t word(const unsigned char* bytes, bool bigEndian) {
  return bigEndian ? (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
                         (std::uint32_t{bytes[2]} << 8) | bytes[3]
                   : (std::uint32_t{bytes[3]} << 24) | (std::uint32_t{bytes[2]} << 16) |
                         (std::uint32_t{bytes[1]} << 8) | bytes[0];
}

bool fileSize(std::FILE* stream, long& size) {
  if (std::fseek(stream, 0, SEEK_END) != 0) return false;
  size = std::ftell(stream);
  return size >= 0;
}

// The variable inside a compressed element, inflated: its tag, then its content.
bool checkInflated(std::FILE* inflated, bool bigEndian, std::string& problem) {
  unsigned char tag[8];
  long size = 0;
  if (!fileSize(inflated, size) || std::fseek(inflated, 0, SEEK_SET) != 0 ||
      std::fread(tag, 1, sizeof tag, inflated) != sizeof tag ||
      word(tag, bigEndian) != kMatrixElement || word(tag + 4, bigEndian) > static_cast<std::uint64_t>(size - 8)) {
    problem = "a compressed variable holds no variable: the file is damaged";
    return false;
  }
  return checkLevel5Matrix(inflated, bigEndian, 8, word(tag + 4, bigEndian), problem);
}

bool checkCompressed(std::FILE* stream, bool bigEndian, long at, std::uint32_t length,
                     std::uint64_t limit, std::string& problem) {
  bool beyondLimit = false;
  std::FILE* inflated = inflateElement(stream, static_cast<std::uint64_t>(at) + 8, length, limit,
                                       beyondLimit, problem);
  if (inflated == nullptr) return false;
  bool ok = false;
  if (beyondLimit) {
    const std::string name = level5MatrixName(inflated, bigEndian, 8, limit - 8);
    problem = "variable " + quotedForMessage(name) + " is compressed and inflates to more than the " +
              mebibytes(limit) + kCompressedAdvice;
  } else {
    ok = checkInflated(inflated, bigEndian, problem);
  }
  std::fclose(inflated);
  return ok;
}

// Walks the top-level elements from the header on; each tag gives its type and length.
bool checkLevel5(std::FILE* stream, long size, std::uint64_t inflateLimit, std::string& problem) {
  unsigned char header[kMatHeaderBytes];
  if (std::fseek(stream, 0, SEEK_SET) != 0 || std::fread(header, 1, sizeof header, stream) != sizeof header) {
    problem = "the file cannot be read";
    return false;
  }
  const bool bigEndian = header[126] == 'M';
  long at = static_cast<long>(kMatHeaderBytes);
  while (at < size) {
    unsigned char tag[8];
    if (size - at < 8 || std::fread(tag, 1, sizeof tag, stream) != sizeof tag) {
      problem = "the file ends inside the element at byte " + std::to_string(at) + ": it is truncated";
      return false;
    }
    const std::uint32_t type = word(tag, bigEndian);
    const std::uint32_t length = word(tag + 4, bigEndian);
    if (type != kMatrixElement && type != kCompressedElement) {
      problem = "byte " + std::to_string(at) + " holds an element of type " + std::to_string(type) +
                " where a variable must begin: the file is damaged";
      return false;
    }
    if (static_cast<std::uint64_t>(size - at - 8) < length) {
      problem = "the variable at byte " + std::to_string(at) + " runs past the end of the file: it is truncated";
      return false;
    }
    if (type == kMatrixElement &&
        !checkLevel5Matrix(stream, bigEndian, static_cast<std::uint64_t>(at) + 8, length, problem)) {
      return false;
    }
    if (type == kCompressedElement &&
        !checkCompressed(stream, bigEndian, at, length, inflateLimit, problem)) {
      return false;
    }
    at += 8 + static_cast<long>(length);
    if (std::fseek(stream, at, SEEK_SET) != 0) {
      problem = "the file cannot be read";
      return false;
    }
  }
  return true;
}

bool checkHdf5(std::FILE* stream, long size, std::string& problem) {
  static constexpr unsigned char kSignature[8] = {0x89, 'H', 'D', 'F', '\r', '\n', 0x1A, '\n'};
  unsigned char bytes[sizeof kSignature] = {};
  if (size < 520 || std::fseek(stream, 512, SEEK_SET) != 0 ||
      std::fread(bytes, 1, sizeof bytes, stream) != sizeof bytes ||
      std::memcmp(bytes, kSignature, sizeof bytes) != 0) {
    problem = "the header says version 7.3 but no HDF5 file follows it at byte 512: it is damaged or truncated";
    return false;
  }
  return true;
}

}  // namespace

bool checkMatOutline(const std::string& path, MatKind kind, std::uint64_t inflateLimit,
                     std::string& problem) {
  File file(path);
  long size = 0;
  if (file.stream == nullptr || !fileSize(file.stream, size)) {
    problem = "the file cannot be read";
    return false;
  }
  return kind == MatKind::hdf5 ? checkHdf5(file.stream, size, problem)
                               : checkLevel5(file.stream, size, inflateLimit, problem);
}

}  // namespace substitute_host

#include "matfile_in/mat_level5_check.h"

#include <vector>

#include "matfile_in/mat_level5_element.h"

#include "text/display_text.h"

namespace substitute_host {
namespace {

constexpr unsigned kSparseClass = 5;
constexpr unsigned kFirstNumericClass = 6;  // double; single, and the integers, follow
constexpr unsigned kLastNumericClass = 15;
constexpr int kDeepestNesting = 16;
// The library keeps a record of some hundred bytes for every field of every element of
// a structure; the layouts read here need a handful.
constexpr std::uint64_t kMostFieldValues = 65536;
constexpr std::uint32_t kInt8Type = 1;
constexpr std::uint32_t kInt32Type = 5;
constexpr std::uint32_t kLongestFieldName = 4096;

bool checkContent(ElementReader& reader, int depth, std::string& problem);

std::string readName(ElementReader& reader, std::uint32_t bytes) {
  std::string name(bytes < 64 ? bytes : 64, '\0');
  if (std::fseek(reader.file, static_cast<long>(reader.at), SEEK_SET) != 0 ||
      std::fread(name.data(), 1, name.size(), reader.file) != name.size()) {
    return {};
  }
  return name.substr(0, name.find('\0'));
}

const char* refusedClass(unsigned arrayClass) {
  switch (arrayClass) {
    case kCellClass: case kStructClass: case kCharClass: return nullptr;
    case kSparseClass: return "is sparse; only full single or double values can be read";
    default:
      if (arrayClass >= kFirstNumericClass && arrayClass <= kLastNumericClass) return nullptr;
      return "is a class object, which cannot be read; save the signals in a plain form: a "
             "structure with time, a matrix, or one variable per signal";
  }
}

// The matrix elements that follow, one after another, each checked as a variable.
bool checkInnerMatrices(ElementReader& reader, std::uint64_t count, int depth,
                        std::string& problem) {
  std::uint32_t type = 0, bytes = 0;
  std::uint64_t next = 0;
  for (std::uint64_t i = 0; i < count; ++i) {
    if (!reader.tag(type, bytes, next) || type != kMatrixElement) return false;
    ElementReader inner{reader.file, reader.bigEndian, reader.at, next};
    if (bytes != 0 && !checkContent(inner, depth + 1, problem)) return false;
    reader.at = next;
  }
  return true;
}

bool checkFields(ElementReader& reader, std::uint64_t elements, int depth, std::string& problem) {
  std::uint32_t type = 0, bytes = 0;
  std::uint64_t next = 0;
  std::uint32_t nameLength = 0;
  // The length of a field name: one int32, in the small form, as the library expects.
  if (!reader.tag(type, bytes, next) || type != kInt32Type || bytes != 4 || next != reader.at + 4 ||
      !reader.word(nameLength) || nameLength == 0 || nameLength > kLongestFieldName) {
    return false;
  }
  reader.at = next;
  if (!reader.tag(type, bytes, next) || type != kInt8Type || bytes % nameLength != 0) return false;
  const std::uint64_t fields = bytes / nameLength;
  if (elements > kMostFieldValues || fields * elements > kMostFieldValues) {
    problem = "a structure holds " + std::to_string(elements) + " elements of " +
              std::to_string(fields) + " fields, more than the " + std::to_string(kMostFieldValues) +
              " field values read here";
    return false;
  }
  reader.at = next;
  return checkInnerMatrices(reader, fields * elements, depth, problem);
}

// The content of a matrix element: flags, dimensions, name, then what the class holds.
// The dimensions' product; false when they are no int32s or multiply past any file.
bool readElementCount(ElementReader& reader, std::uint64_t& elements) {
  std::uint32_t type = 0, bytes = 0;
  std::uint64_t next = 0;
  if (!reader.tag(type, bytes, next) || sizeOfType(type) != 4) return false;
  for (std::uint32_t i = 0; i < bytes / 4; ++i) {
    std::uint32_t dimension = 0;
    if (!reader.word(dimension)) return false;
    elements *= dimension;
    if (elements > (std::uint64_t{1} << 40)) return false;
  }
  reader.at = next;
  return true;
}

bool checkContent(ElementReader& reader, int depth, std::string& problem) {
  if (depth > kDeepestNesting) return false;
  std::uint32_t type = 0, bytes = 0, flags = 0;
  std::uint64_t next = 0;
  if (!reader.tag(type, bytes, next) || !reader.word(flags)) return false;
  reader.at = next;
  std::uint64_t elements = 1;
  if (!readElementCount(reader, elements)) return false;
  if (!reader.tag(type, bytes, next) || type != kInt8Type) return false;  // the name
  const std::string name = readName(reader, bytes);
  reader.at = next;
  const unsigned arrayClass = flags & 0xFF;
  // Classes that matio reads in ways of their own, and that never hold rows here, are
  // refused before it reads them.
  if (const char* refusal = refusedClass(arrayClass)) {
    problem = "variable " + quotedForMessage(name) + " " + refusal;
    return false;
  }
  if (arrayClass == kStructClass) return checkFields(reader, elements, depth, problem);
  if (arrayClass == kCellClass) {
    return elements <= kMostFieldValues && checkInnerMatrices(reader, elements, depth, problem);
  }
  if (arrayClass < kFirstNumericClass || arrayClass > kLastNumericClass) return true;
  if (!reader.tag(type, bytes, next)) return false;
  return sizeOfType(type) != 0 && bytes == elements * sizeOfType(type);
}

}  // namespace

std::string level5MatrixName(std::FILE* file, bool bigEndian, std::uint64_t at,
                             std::uint64_t length) {
  ElementReader reader{file, bigEndian, at, at + length};
  std::uint32_t type = 0, bytes = 0;
  std::uint64_t next = 0;
  for (int part = 0; part < 2; ++part) {  // flags, dimensions
    if (!reader.tag(type, bytes, next)) return {};
    reader.at = next;
  }
  if (!reader.tag(type, bytes, next) || bytes > 256) return {};
  std::string name(bytes, '\0');
  if (std::fseek(file, static_cast<long>(reader.at), SEEK_SET) != 0 ||
      std::fread(name.data(), 1, bytes, file) != bytes) {
    return {};
  }
  return name;
}

bool checkLevel5Matrix(std::FILE* file, bool bigEndian, std::uint64_t at, std::uint64_t length,
                       std::string& problem) {
  ElementReader reader{file, bigEndian, at, at + length};
  if (checkContent(reader, 0, problem)) return true;
  if (problem.empty()) {
    problem = "the variable at byte " + std::to_string(at - 8) +
              " does not hold the values its dimensions say: the file is damaged or truncated";
  }
  return false;
}

}  // namespace substitute_host

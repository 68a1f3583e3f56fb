#include "matfile_in/mat_level5_label.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "matfile_in/mat_labels.h"
#include "matfile_in/mat_level5_element.h"

namespace substitute_host {
namespace {

constexpr std::uint32_t kLongestLabels = 1 << 16;  // bytes of text read at most
constexpr std::size_t kHeaderBytes = 128;

struct MatrixHead {
  unsigned arrayClass = 0;
  std::uint64_t rows = 0;
  std::uint64_t columns = 0;
  std::string name;
};

bool readBytes(ElementReader& r, std::uint32_t count, std::string& bytes) {
  bytes.assign(count, '\0');
  return count <= r.end - r.at && std::fseek(r.file, static_cast<long>(r.at), SEEK_SET) == 0 &&
         std::fread(bytes.data(), 1, count, r.file) == count;
}

// Flags, dimensions (two) and name; leaves the reader after the name.
bool readHead(ElementReader& r, MatrixHead& head) {
  std::uint32_t type = 0, bytes = 0, flags = 0, rows = 0, columns = 0;
  std::uint64_t next = 0;
  if (!r.tag(type, bytes, next) || !r.word(flags)) return false;
  r.at = next;
  if (!r.tag(type, bytes, next) || bytes != 8 || !r.word(rows) || !r.word(columns)) return false;
  r.at = next;
  if (!r.tag(type, bytes, next) || bytes > 64 || !readBytes(r, bytes, head.name)) return false;
  r.at = next;
  head.arrayClass = flags & 0xFF;
  head.rows = rows;
  head.columns = columns;
  return true;
}

// In a structure of one element (after its head), the field of that name as a reader
// of its matrix content.
bool findField(ElementReader& r, const char* field, ElementReader& found) {
  std::uint32_t type = 0, bytes = 0, nameLength = 0;
  std::uint64_t next = 0;
  if (!r.tag(type, bytes, next) || !r.word(nameLength) || nameLength == 0 || nameLength > 4096) return false;
  r.at = next;
  std::string names;
  if (!r.tag(type, bytes, next) || bytes > kLongestLabels || !readBytes(r, bytes, names)) return false;
  r.at = next;
  const std::uint32_t fields = bytes / nameLength;
  for (std::uint32_t i = 0; i < fields; ++i) {
    if (!r.tag(type, bytes, next) || type != kMatrixElement) return false;
    if (std::strcmp(names.c_str() + std::size_t{i} * nameLength, field) == 0) {
      found = ElementReader{r.file, r.bigEndian, r.at, next};
      return true;
    }
    r.at = next;
  }
  return false;
}

// The text of a char array (after its head), column by column.
bool readChars(ElementReader& r, std::string& text) {
  std::uint32_t type = 0, bytes = 0;
  std::uint64_t next = 0;
  if (!r.tag(type, bytes, next) || bytes > kLongestLabels) return false;
  const std::size_t unitBytes = (type == 3 || type == 4 || type == 17) ? 2 : (type <= 2 || type == 16) ? 1 : 0;
  std::string raw;
  if (unitBytes == 0 || !readBytes(r, bytes, raw)) return false;
  if (unitBytes == 2 && r.bigEndian) {
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2) std::swap(raw[i], raw[i + 1]);
  }
  text = unitsAsText(raw.data(), raw.size() / unitBytes, unitBytes);
  return true;
}

bool readLabels(ElementReader& r, std::vector<std::string>& labels) {
  MatrixHead head;
  if (!readHead(r, head)) return false;
  std::string text;
  if (head.arrayClass == kCharClass) {
    if (!readChars(r, text) || text.size() != head.rows * head.columns) return false;
    labels = labelsOfCharMatrix(text, head.rows, head.columns);
    return true;
  }
  if (head.arrayClass != kCellClass || head.rows * head.columns > kLongestLabels) return false;
  labels.clear();
  for (std::uint64_t i = 0; i < head.rows * head.columns; ++i) {
    std::uint32_t type = 0, bytes = 0;
    std::uint64_t next = 0;
    if (!r.tag(type, bytes, next) || type != kMatrixElement) return false;
    ElementReader cell{r.file, r.bigEndian, r.at, next};
    MatrixHead cellHead;
    if (!readHead(cell, cellHead) || cellHead.arrayClass != kCharClass) return false;
    if (cellHead.rows * cellHead.columns == 0) text.clear();
    else if (!readChars(cell, text)) return false;
    labels.push_back(labelsOfCharMatrix(text, 1, text.size()).front());
    r.at = next;
  }
  return true;
}

// From a top-level matrix element's content: its signals.label, if it is the variable.
LabelRead labelsOfVariable(ElementReader& r, const std::string& variable,
                           std::vector<std::string>& labels, bool& isVariable) {
  MatrixHead head;
  isVariable = readHead(r, head) && head.name == variable;
  if (!isVariable) return LabelRead::absent;
  ElementReader signals{r.file, r.bigEndian, 0, 0}, label{r.file, r.bigEndian, 0, 0};
  MatrixHead signalsHead;
  if (head.arrayClass != kStructClass || !findField(r, "signals", signals) ||
      !readHead(signals, signalsHead) || signalsHead.arrayClass != kStructClass ||
      !findField(signals, "label", label)) {
    return LabelRead::absent;
  }
  return readLabels(label, labels) ? LabelRead::found : LabelRead::unreadable;
}

}  // namespace

LabelRead readLevel5Labels(const std::string& path, const std::string& variable,
                           std::vector<std::string>& labels) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return LabelRead::unreadable;
  unsigned char header[kHeaderBytes];
  LabelRead result = LabelRead::absent;
  if (std::fread(header, 1, sizeof header, file) == sizeof header && std::fseek(file, 0, SEEK_END) == 0) {
    const auto size = static_cast<std::uint64_t>(std::ftell(file));
    const bool bigEndian = header[126] == 'M';
    ElementReader top{file, bigEndian, kHeaderBytes, size};
    std::uint32_t type = 0, bytes = 0;
    bool isVariable = false;
    // Top-level elements follow each other unpadded (a compressed one has any length).
    while (!isVariable && size - top.at >= 8 && top.word(type) && top.word(bytes) &&
           bytes <= size - top.at) {
      ElementReader content{file, bigEndian, top.at, top.at + bytes};
      if (type == kMatrixElement) result = labelsOfVariable(content, variable, labels, isVariable);
      top.at += bytes;
    }
  }
  std::fclose(file);
  return result;
}

}  // namespace substitute_host

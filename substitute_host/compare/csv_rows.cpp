#include "compare/csv_rows.h"

#include <cstring>
#include <unordered_map>
#include <utility>

#include "replay/input_value.h"

namespace substitute_host {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(std::string_view line) { return trimField(line).empty(); }

// Splits line at its commas into fields, reusing the vector's storage.
void splitFields(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  const char* cursor = line.data();
  const char* const end = cursor + line.size();
  for (;;) {
    const char* comma = static_cast<const char*>(std::memchr(cursor, ',', end - cursor));
    const char* const fieldEnd = comma != nullptr ? comma : end;
    fields.emplace_back(cursor, static_cast<std::size_t>(fieldEnd - cursor));
    if (comma == nullptr) return;
    cursor = comma + 1;
  }
}

}  // namespace

std::string escapeControlBytes(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      escaped += "\\x";
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 0xF];
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string quotedForMessage(std::string_view text) {
  constexpr std::size_t kShown = 40;
  std::string quoted = "'" + escapeControlBytes(text.substr(0, kShown));
  if (text.size() > kShown) quoted += "... (" + std::to_string(text.size()) + " bytes)";
  return quoted + "'";
}

CsvRowReader::CsvRowReader(std::FILE* in, std::string sourceName)
    : lines_(in), sourceName_(std::move(sourceName)) {}

CsvRowReader::Status CsvRowReader::failRead() {
  const std::uint64_t lastRead = lines_.lineNumber();
  error_ = sourceName_ + ": reading failed" +
           (lastRead == 0 ? std::string() : " after line " + std::to_string(lastRead)) + ": " +
           std::strerror(lines_.readErrno());
  return Status::readFailed;
}

bool CsvRowReader::failHeader(const std::string& message) {
  error_ = sourceName_ + ": line 1" + (message.empty() ? "" : ", ") + message;
  return false;
}

CsvRowReader::Status CsvRowReader::failField(std::size_t index, const std::string& message) {
  error_ = sourceName_ + ": line " + std::to_string(lines_.lineNumber()) + ", ";
  error_ += index < names_.size() ? "column " + quotedForMessage(names_[index]) + " (field " +
                                        std::to_string(index + 1) + ")"
                                  : "field " + std::to_string(index + 1);
  error_ += ": " + message;
  return Status::badInput;
}

bool CsvRowReader::readHeader() {
  std::string_view header;
  if (!lines_.next(header)) {
    if (lines_.readFailed()) {
      failRead();
    } else {
      error_ = sourceName_ + ": the file is empty; it needs a header line";
    }
    return false;
  }
  if (header.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    header.remove_prefix(kByteOrderMark.size());
  }
  if (isBlank(header)) return failHeader("the header line is blank");

  std::vector<std::string_view> fields;
  splitFields(header, fields);
  std::unordered_map<std::string_view, std::size_t> fieldOfName;
  for (std::size_t index = 0; index < fields.size(); ++index) {
    const std::string_view name = trimField(fields[index]);
    const std::string field = "field " + std::to_string(index + 1) + ": ";
    if (!name.empty() && name.front() == '"') {
      return failHeader(field + "quoted names are not supported: " + quotedForMessage(name));
    }
    // An unnamed column cannot be paired; two of one name cannot be told apart.
    if (!name.empty() && !fieldOfName.emplace(name, index).second) {
      return failHeader(field + "column " + quotedForMessage(name) + " already appears as field " +
                        std::to_string(fieldOfName[name] + 1));
    }
    names_.emplace_back(name);
  }
  return true;
}

bool CsvRowReader::nextNonBlankLine(std::string_view& line, Status& status) {
  for (;;) {
    if (!lines_.next(line)) {
      status = lines_.readFailed() ? failRead() : Status::end;
      return false;
    }
    if (!isBlank(line)) break;
    if (pendingBlankLine_ == 0) pendingBlankLine_ = lines_.lineNumber();
  }
  if (pendingBlankLine_ != 0) {
    error_ = sourceName_ + ": line " + std::to_string(pendingBlankLine_) +
             ": blank line between rows (only the end of the file may be blank)";
    status = Status::badInput;
    return false;
  }
  return true;
}

CsvRowReader::Status CsvRowReader::next() {
  std::string_view line;
  Status status = Status::row;
  if (!nextNonBlankLine(line, status)) return status;
  ++rows_;
  splitFields(line, fields_);
  const std::size_t expected = names_.size();
  if (fields_.size() < expected) {
    return failField(fields_.size(), "the row ends after " + std::to_string(fields_.size()) +
                                         " fields; the header has " + std::to_string(expected));
  }
  if (fields_.size() > expected) {
    return failField(expected,
                     "the row has more fields than the header's " + std::to_string(expected));
  }
  return Status::row;
}

CsvRowReader::Status CsvRowReader::countRemainingRows(std::uint64_t& rows) {
  rows = 0;
  std::string_view line;
  Status status = Status::row;
  while (nextNonBlankLine(line, status)) ++rows;
  return status;
}

}  // namespace substitute_host

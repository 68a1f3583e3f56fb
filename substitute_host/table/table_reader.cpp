#include "table/table_reader.h"

#include <cstring>
#include <unordered_map>

#include "table/fields.h"
#include "table/single_text.h"
#include "text/display_text.h"

namespace substitute_host {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Quotes a name or field for a message: control bytes escaped, a runaway text cut short.
std::string quoted(std::string_view text) { return "'" + displayText(text, 40) + "'"; }

std::string fieldLabel(std::size_t index) { return "field " + std::to_string(index + 1); }

// A first line that is no text header at all is named as what it is, not as a header
// that lacks every column.
std::string encodingProblem(std::string_view header) {
  const bool utf16Mark = header.size() >= 2 && ((header[0] == '\xFF' && header[1] == '\xFE') ||
                                                (header[0] == '\xFE' && header[1] == '\xFF'));
  if (utf16Mark || header.find('\0') != std::string_view::npos) {
    return "the input holds NUL bytes or a UTF-16 byte-order mark: it is UTF-16 or binary, "
           "not a CSV text in ASCII or UTF-8";
  }
  if (header.find('\r') != std::string_view::npos) {
    return "the lines end in a carriage return alone; they must end in LF or CRLF";
  }
  return {};
}

std::string fieldProblem(std::string_view text) {
  const std::string_view shown = trimField(text);
  if (shown.empty()) return "the field is empty";
  if (shown.front() == '"') return "quoted fields are not supported";
  return quoted(shown) + " is not a number";
}

}  // namespace

TableReader::TableReader(std::FILE* in, std::string_view sourceName)
    : lines_(in), sourceName_(displayText(sourceName, kWholeText)) {}

std::string TableReader::place(std::uint64_t line) const {
  return (sourceName_.empty() ? "" : sourceName_ + ": ") + "line " + std::to_string(line);
}

TableReader::Status TableReader::failRead() {
  const std::uint64_t lastRead = lines_.lineNumber();
  error_ = (sourceName_.empty() ? "" : sourceName_ + ": ") + "reading failed" +
           (lastRead == 0 ? std::string() : " after line " + std::to_string(lastRead)) + ": " +
           std::strerror(lines_.readErrno());
  return Status::readFailed;
}

bool TableReader::failHeader(const std::string& message) {
  error_ = place(1) + ": " + message;
  return false;
}

bool TableReader::failHeaderName(std::size_t index, const std::string& message) {
  error_ = place(1) + ", " + fieldLabel(index) + ": " + message;
  return false;
}

TableReader::Status TableReader::failField(std::size_t index, const std::string& message) {
  error_ = place(lines_.lineNumber()) + ", ";
  error_ += index < names_.size()
                ? "column '" + displayText(names_[index]) + "' (" + fieldLabel(index) + ")"
                : fieldLabel(index);
  error_ += ": " + message;
  return Status::badInput;
}

bool TableReader::readHeader(NameFilter mustBeUnique) {
  std::string_view header;
  if (!lines_.next(header)) {
    if (lines_.readFailed()) {
      failRead();
    } else {
      // A named file is at fault as a whole; a stream without a name has only its
      // first line to point at.
      error_ = sourceName_.empty() ? "line 1: the input is empty; it needs a header line"
                                   : sourceName_ + ": the file is empty; it needs a header line";
    }
    return false;
  }
  if (header.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    header.remove_prefix(kByteOrderMark.size());
  }
  const std::string problem = encodingProblem(header);
  if (!problem.empty()) return failHeader(problem);
  if (isBlankLine(header)) return failHeader("the header line is blank");
  return checkNames(header, mustBeUnique);
}

bool TableReader::checkNames(std::string_view header, NameFilter mustBeUnique) {
  splitFields(header, fields_);
  std::unordered_map<std::string_view, std::size_t> fieldOfName;
  for (std::size_t index = 0; index < fields_.size(); ++index) {
    const std::string_view name = trimField(fields_[index]);
    if (!name.empty() && name.front() == '"') {
      return failHeaderName(index, "quoted names are not supported: " + quoted(name));
    }
    const bool looked = !name.empty() && (mustBeUnique == nullptr || mustBeUnique(name));
    if (looked && !fieldOfName.emplace(name, index).second) {
      return failHeaderName(
          index, "column " + quoted(name) + " already appears as " + fieldLabel(fieldOfName[name]));
    }
    names_.emplace_back(name);
  }
  return true;
}

bool TableReader::nextNonBlankLine(std::string_view& line, Status& status) {
  for (;;) {
    if (!lines_.next(line)) {
      status = lines_.readFailed() ? failRead() : Status::end;
      return false;
    }
    if (!isBlankLine(line)) break;
    if (pendingBlankLine_ == 0) pendingBlankLine_ = lines_.lineNumber();
  }
  if (pendingBlankLine_ != 0) {
    error_ = place(pendingBlankLine_) +
             ": blank line between rows (only the end of the file may be blank)";
    status = Status::badInput;
    return false;
  }
  return true;
}

TableReader::Status TableReader::next() {
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

bool TableReader::readSingle(std::size_t index, float& value) {
  if (parseInputValue(fields_[index], value)) return true;
  failField(index, fieldProblem(fields_[index]));
  return false;
}

TableReader::Status TableReader::countRemainingRows(std::uint64_t& rows) {
  rows = 0;
  std::string_view line;
  Status status = Status::row;
  while (nextNonBlankLine(line, status)) ++rows;
  return status;
}

}  // namespace substitute_host

#include "replay/input_csv.h"

#include <cstring>
#include <utility>

#include "replay/input_value.h"
#include "text/display_text.h"

namespace substitute_host {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(std::string_view line) { return trimField(line).empty(); }

// Quotes a field for a message: control bytes escaped, a runaway field cut short.
std::string quoted(std::string_view field) { return "'" + displayText(field, 40) + "'"; }

std::string fieldLabel(std::size_t index) { return "field " + std::to_string(index + 1); }

// Calls visit(index, field) for each comma-separated field of line.
template <typename Visit>
void forEachField(std::string_view line, Visit visit) {
  std::size_t index = 0;
  for (;;) {
    const std::size_t comma = line.find(',');
    visit(index++, line.substr(0, comma));
    if (comma == std::string_view::npos) return;
    line.remove_prefix(comma + 1);
  }
}

// A first line that is no text header at all is named as what it is, not as a header
// that lacks every column.
std::string encodingProblem(std::string_view header) {
  const bool utf16Mark = header.size() >= 2 && ((header[0] == '\xFF' && header[1] == '\xFE') ||
                                                (header[0] == '\xFE' && header[1] == '\xFF'));
  if (utf16Mark || header.find('\0') != std::string_view::npos) {
    return "line 1: the input holds NUL bytes or a UTF-16 byte-order mark: it is UTF-16 "
           "or binary, not a CSV text in ASCII or UTF-8";
  }
  if (header.find('\r') != std::string_view::npos) {
    return "line 1: the lines end in a carriage return alone; they must end in LF or CRLF";
  }
  return {};
}

// The header's names in order, each matched to its input value; empty when fine.
std::string mapColumns(std::string_view header, std::vector<std::string>& names,
                       std::vector<int>& valueOfField, std::array<bool, kInputValueCount>& found) {
  std::array<std::size_t, kInputValueCount> fieldOfValue{};
  std::string problem;
  forEachField(header, [&](std::size_t index, std::string_view field) {
    const std::string_view name = trimField(field);
    names.push_back(displayText(name));
    valueOfField.push_back(-1);
    if (!problem.empty()) return;
    if (!name.empty() && name.front() == '"') {
      problem =
          "line 1, " + fieldLabel(index) + ": quoted names are not supported: " + quoted(name);
      return;
    }
    for (std::size_t value = 0; value < kInputValueCount; ++value) {
      if (name != kInputColumns[value]) continue;
      if (found[value]) {
        problem = "line 1, " + fieldLabel(index) + ": column '" + std::string(name) +
                  "' already appears as field " + std::to_string(fieldOfValue[value] + 1);
        return;
      }
      found[value] = true;
      fieldOfValue[value] = index;
      valueOfField.back() = static_cast<int>(value);
    }
  });
  return problem;
}

std::string missingColumns(const std::array<bool, kInputValueCount>& found) {
  std::string missing;
  std::size_t missingCount = 0;
  for (std::size_t value = 0; value < kInputValueCount; ++value) {
    if (found[value]) continue;
    missing += (missingCount++ == 0 ? "'" : ", '") + std::string(kInputColumns[value]) + "'";
  }
  if (missingCount == 0) return {};
  return "line 1: the header lacks the required column" +
         std::string(missingCount > 1 ? "s " : " ") + missing;
}

struct RowProblem {
  std::size_t field = 0;
  std::string message;
};

std::string fieldProblem(std::string_view text) {
  const std::string_view shown = trimField(text);
  if (shown.empty()) return "the field is empty";
  if (shown.front() == '"') return "quoted fields are not supported";
  return quoted(shown) + " is not a number";
}

// The hot loop of a replay: one pass over the line, parsing only the wanted fields.
bool parseRow(std::string_view line, const std::vector<int>& valueOfField,
              float values[kInputValueCount], RowProblem& problem) {
  const std::size_t fieldCount = valueOfField.size();
  const char* cursor = line.data();
  const char* const end = cursor + line.size();
  for (std::size_t field = 0;; ++field) {
    const char* comma = static_cast<const char*>(std::memchr(cursor, ',', end - cursor));
    const char* const fieldEnd = comma != nullptr ? comma : end;
    const int value = valueOfField[field];
    const std::string_view text(cursor, static_cast<std::size_t>(fieldEnd - cursor));
    if (value >= 0 && !parseInputValue(text, values[value])) {
      problem = {field, fieldProblem(text)};
      return false;
    }
    if (comma == nullptr && field + 1 < fieldCount) {
      problem = {field + 1, "the row ends after " + std::to_string(field + 1) +
                                " fields; the header has " + std::to_string(fieldCount)};
      return false;
    }
    if (comma == nullptr) return true;
    if (field + 1 == fieldCount) {
      problem = {field + 1,
                 "the row has more fields than the header's " + std::to_string(fieldCount)};
      return false;
    }
    cursor = comma + 1;
  }
}

}  // namespace

InputCsvReader::InputCsvReader(std::FILE* in) : lines_(in) {}

InputCsvReader::Status InputCsvReader::failRead() {
  const std::uint64_t lastRead = lines_.lineNumber();
  error_ = (lastRead == 0 ? std::string("reading failed: ")
                          : "reading failed after line " + std::to_string(lastRead) + ": ") +
           std::strerror(lines_.readErrno());
  return Status::readFailed;
}

InputCsvReader::Status InputCsvReader::failRow(std::size_t field, std::string message) {
  error_ = "line " + std::to_string(lines_.lineNumber()) + ", ";
  error_ += field < fieldNames_.size()
                ? "column '" + fieldNames_[field] + "' (" + fieldLabel(field) + ")"
                : fieldLabel(field);
  error_ += ": " + std::move(message);
  return Status::badInput;
}

bool InputCsvReader::readHeader() {
  std::string_view header;
  if (!lines_.next(header)) {
    if (lines_.readFailed()) {
      failRead();
    } else {
      error_ = "line 1: the input is empty; it needs a header line";
    }
    return false;
  }
  if (header.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    header.remove_prefix(kByteOrderMark.size());
  }
  error_ = encodingProblem(header);
  if (error_.empty() && isBlank(header)) error_ = "line 1: the header line is blank";
  if (!error_.empty()) return false;

  std::array<bool, kInputValueCount> found{};
  error_ = mapColumns(header, fieldNames_, valueOfField_, found);
  if (error_.empty()) error_ = missingColumns(found);
  return error_.empty();
}

InputCsvReader::Status InputCsvReader::next(float values[kInputValueCount]) {
  std::string_view line;
  for (;;) {
    if (!lines_.next(line)) return lines_.readFailed() ? failRead() : Status::end;
    if (!isBlank(line)) break;
    if (pendingBlankLine_ == 0) pendingBlankLine_ = lines_.lineNumber();
  }
  if (pendingBlankLine_ != 0) {
    error_ = "line " + std::to_string(pendingBlankLine_) +
             ": blank line between rows (only the end of the file may be blank)";
    return Status::badInput;
  }
  RowProblem problem;
  if (parseRow(line, valueOfField_, values, problem)) return Status::row;
  return failRow(problem.field, std::move(problem.message));
}

}  // namespace substitute_host
